#include "web/HttpAddress.h"

#include <QList>

#include <algorithm>

namespace {

constexpr quint16 kHttpPort = 80;
constexpr quint16 kHttpsPort = 443;

QByteArrayView WithoutFragment(QByteArrayView text) {
    const qsizetype hash = text.indexOf('#');
    return hash < 0 ? text : text.first(hash);
}

// The length of "scheme:" at the start of text, 0 when it does not start with a scheme.
qsizetype SchemeLength(QByteArrayView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (c == ':' && i > 0) {
            return i + 1;
        }
        if (!letter && (i == 0 || !other)) {
            return 0;
        }
    }
    return 0;
}

bool ParsePort(QByteArrayView digits, quint16& port) {
    if (digits.isEmpty()) {
        return true;  // "host:" keeps the scheme's port
    }
    bool ok = false;
    const uint value = digits.toUInt(&ok);
    if (!ok || value == 0 || value > 65535 || digits.front() == '+') {
        return false;
    }
    port = static_cast<quint16>(value);
    return true;
}

// No host name holds a blank or a control character. Such a host, say from a page's refresh
// address, would also break the Host header line: "evil\r\nX-Injected: 1".
bool IsUsableHost(QByteArrayView host) {
    return !host.isEmpty() && std::none_of(host.begin(), host.end(), [](char c) {
        return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F;
    });
}

// Splits "host", "host:port", "[v6]" or "[v6]:port" (any user info already removed).
bool SplitHostPort(QByteArrayView authority, HttpAddress& address) {
    QByteArrayView portText;
    if (authority.startsWith('[')) {
        const qsizetype close = authority.indexOf(']');
        if (close < 0) {
            return false;
        }
        address.host = authority.sliced(1, close - 1).toByteArray();
        const QByteArrayView rest = authority.sliced(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(':')) {
            return false;
        }
        portText = rest.isEmpty() ? rest : rest.sliced(1);
    } else {
        const qsizetype colon = authority.lastIndexOf(':');
        address.host = (colon < 0 ? authority : authority.first(colon)).toByteArray();
        portText = colon < 0 ? QByteArrayView() : authority.sliced(colon + 1);
    }
    return IsUsableHost(address.host) && ParsePort(portText, address.port);
}

// The path with its "." and ".." segments worked out, as a browser does before it asks.
QByteArray RemoveDotSegments(QByteArrayView path) {
    QByteArrayList kept;
    const QByteArrayList segments = path.toByteArray().split('/');
    for (qsizetype i = 0; i < segments.size(); ++i) {
        const QByteArray& segment = segments[i];
        const bool last = i + 1 == segments.size();
        if (segment == ".." && kept.size() > 1) {
            kept.removeLast();
        }
        if (segment == "." || segment == "..") {
            if (last) {
                kept.append(QByteArray());  // "a/b/.." names the folder "a/"
            }
            continue;
        }
        kept.append(segment);
    }
    return kept.join('/');
}

// The path part of a request target, without its query.
QByteArrayView PathOf(QByteArrayView target) {
    const qsizetype question = target.indexOf('?');
    return question < 0 ? target : target.first(question);
}

// Resolves a reference that names a path (and maybe a query) on the base's own host.
QByteArray ResolvePathReference(const HttpAddress& base, QByteArrayView reference) {
    const QByteArrayView path = PathOf(reference);
    const QByteArrayView query = reference.sliced(path.size());
    QByteArray merged;
    if (path.startsWith('/')) {
        merged = path.toByteArray();
    } else {
        const QByteArrayView basePath = PathOf(base.target);
        merged = basePath.first(basePath.lastIndexOf('/') + 1).toByteArray() + path.toByteArray();
    }
    return base.Origin() + RemoveDotSegments(merged) + query.toByteArray();
}

}  // namespace

QByteArray HttpAddress::HostHeader() const {
    const QByteArray name = host.contains(':') ? '[' + host + ']' : host;
    const quint16 schemePort = secure ? kHttpsPort : kHttpPort;
    return port == schemePort ? name : name + ':' + QByteArray::number(port);
}

QByteArray HttpAddress::Origin() const {
    return (secure ? "https://" : "http://") + HostHeader();
}

std::optional<HttpAddress> SplitHttpAddress(QByteArrayView address) {
    address = WithoutFragment(address.trimmed());
    const qsizetype schemeEnd = address.indexOf("://");
    if (schemeEnd < 0) {
        return std::nullopt;
    }
    HttpAddress split;
    const QByteArrayView scheme = address.first(schemeEnd);
    split.secure = scheme.compare("https", Qt::CaseInsensitive) == 0;
    if (!split.secure && scheme.compare("http", Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    split.port = split.secure ? kHttpsPort : kHttpPort;
    const QByteArrayView rest = address.sliced(schemeEnd + 3);
    qsizetype authorityEnd = rest.size();
    for (const char end : {'/', '?'}) {
        if (const qsizetype at = rest.indexOf(end); at >= 0 && at < authorityEnd) {
            authorityEnd = at;
        }
    }
    QByteArrayView authority = rest.first(authorityEnd);
    authority = authority.sliced(authority.lastIndexOf('@') + 1);
    if (!SplitHostPort(authority, split)) {
        return std::nullopt;
    }
    split.target = rest.sliced(authorityEnd).toByteArray();
    if (!split.target.startsWith('/')) {
        split.target.prepend('/');
    }
    return split;
}

QByteArray ResolveReference(QByteArrayView base, QByteArrayView reference) {
    reference = reference.trimmed();
    if (SchemeLength(reference) > 0) {
        return WithoutFragment(reference).toByteArray();
    }
    const std::optional<HttpAddress> page = SplitHttpAddress(base);
    if (!page) {
        return WithoutFragment(reference).toByteArray();
    }
    reference = WithoutFragment(reference);
    if (reference.startsWith("//")) {
        return (page->secure ? "https:" : "http:") + reference.toByteArray();
    }
    if (reference.isEmpty()) {
        return page->Origin() + page->target;
    }
    if (reference.startsWith('?')) {
        return page->Origin() + PathOf(page->target).toByteArray() + reference.toByteArray();
    }
    return ResolvePathReference(*page, reference);
}

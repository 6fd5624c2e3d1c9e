#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// An http or https address taken apart without rewriting any of it: the request target keeps
// every byte of the path and query as the address spelled them, escapes included, because the
// service reads its log-in fields from the exact escapes the program sends.
struct HttpAddress {
    bool secure = false;  // https
    QByteArray host;      // without the brackets of an IPv6 literal
    quint16 port = 0;     // 80 or 443 when the address names none
    QByteArray target;    // path and query, "/" when the address has neither; never a fragment

    // "host" or "host:port" as the Host header carries it, the port only where it is not the
    // scheme's own
    QByteArray HostHeader() const;
    // "scheme://host[:port]", for matching cookies and resolving references
    QByteArray Origin() const;
};

// nullopt for anything but an http or https address with a host and a valid port.
std::optional<HttpAddress> SplitHttpAddress(QByteArrayView address);

// Where a page's reference (a redirect's Location, a meta refresh) leads from the page at base,
// as a browser resolves it: absolute, scheme-relative, host-relative, query-only or relative to
// the page's folder, with "." and ".." segments of the path removed. The query is left as given.
QByteArray ResolveReference(QByteArrayView base, QByteArrayView reference);

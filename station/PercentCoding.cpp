#include "PercentCoding.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

void AppendEscape(QByteArray& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out.append('%');
    out.append(kDigits[byte >> 4]);
    out.append(kDigits[byte & 0x0F]);
}

}  // namespace

namespace PercentCoding {

QByteArray Decode(QByteArrayView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '+') {
            out.append(' ');
            continue;
        }
        if (c == '%' && i + 2 < text.size()) {
            const int high = HexDigit(text[i + 1]);
            const int low = HexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.append(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QByteArray EncodeEveryByte(QByteArrayView bytes) {
    QByteArray out;
    out.reserve(bytes.size() * 3);
    for (char c : bytes) {
        AppendEscape(out, static_cast<unsigned char>(c));
    }
    return out;
}

QByteArray EncodeQueryValue(QByteArrayView bytes) {
    QByteArray out;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' ||
                           byte == '.' || byte == '~';
        if (plain) {
            out.append(c);
        } else {
            AppendEscape(out, byte);
        }
    }
    return out;
}

Fields ParseFields(QByteArrayView text) {
    Fields fields;
    for (const QByteArray& pair : text.toByteArray().split('&')) {
        if (pair.isEmpty()) {
            continue;
        }
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0) {
            fields.append({Decode(pair), QByteArray()});
        } else {
            fields.append({Decode(pair.left(equals)), Decode(pair.mid(equals + 1))});
        }
    }
    return fields;
}

QByteArray Value(const Fields& fields, QByteArrayView name) {
    for (const auto& [key, value] : fields) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

}  // namespace PercentCoding

#include "web/UrlEncode.h"

QByteArray UrlEncode(QByteArrayView bytes, bool percent) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray encoded;
    encoded.reserve(bytes.size() * (percent ? 3 : 2));
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        if (percent) {
            encoded.append('%');
        }
        encoded.append(kDigits[value >> 4]);
        encoded.append(kDigits[value & 0x0F]);
    }
    return encoded;
}

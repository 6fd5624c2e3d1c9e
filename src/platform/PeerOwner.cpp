#include "platform/PeerOwner.h"

#include <unistd.h>
#include <QAbstractSocket>
#include <QFile>
#include <QHostAddress>
#include <QtEndian>
#include <array>
#include <cstring>

namespace {

struct Endpoint {
    QHostAddress address;
    quint16 port = 0;

    bool Is(const QHostAddress& otherAddress, quint16 otherPort) const {
        // an IPv6 client socket shows an IPv4 peer as ::ffff:a.b.c.d
        return port == otherPort &&
               address.isEqual(otherAddress, QHostAddress::ConvertV4MappedToIPv4);
    }
};

// The kernel prints each 32-bit word of the address as it lies in memory, read as a native
// integer, so copying the parsed words back into memory restores the network byte order.
QHostAddress TableAddress(const QByteArray& hex) {
    std::array<quint8, 16> bytes{};
    const qsizetype words = hex.size() / 8;
    if ((words != 1 && words != 4) || hex.size() % 8 != 0) {
        return {};
    }
    for (qsizetype word = 0; word < words; ++word) {
        bool ok = false;
        const quint32 value = hex.mid(word * 8, 8).toUInt(&ok, 16);
        if (!ok) {
            return {};
        }
        std::memcpy(bytes.data() + word * 4, &value, sizeof value);
    }
    return words == 1 ? QHostAddress(qFromBigEndian<quint32>(bytes.data()))
                      : QHostAddress(bytes.data());
}

// "0100007F:1F90": address and port in hexadecimal.
Endpoint TableEndpoint(const QByteArray& text) {
    const qsizetype colon = text.indexOf(':');
    bool ok = false;
    const quint16 port = text.mid(colon + 1).toUShort(&ok, 16);
    return colon > 0 && ok ? Endpoint{TableAddress(text.left(colon)), port} : Endpoint{};
}

// A row: "sl local_address rem_address st tx:rx tr:when retrnsmt uid timeout inode ...".
std::optional<unsigned> OwnerIn(const QString& table, const QAbstractSocket& connection) {
    constexpr qsizetype kLocal = 1, kRemote = 2, kUid = 7;
    QFile file(table);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    file.readLine();  // the column names
    while (!file.atEnd()) {
        const QList<QByteArray> columns = file.readLine().simplified().split(' ');
        bool ok = false;
        const unsigned uid = columns.value(kUid).toUInt(&ok);
        if (ok &&
            TableEndpoint(columns[kLocal]).Is(connection.peerAddress(), connection.peerPort()) &&
            TableEndpoint(columns[kRemote]).Is(connection.localAddress(), connection.localPort())) {
            return uid;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<unsigned> PeerOwner(const QAbstractSocket& connection) {
    if (const std::optional<unsigned> owner =
            OwnerIn(QStringLiteral("/proc/net/tcp"), connection)) {
        return owner;
    }
    return OwnerIn(QStringLiteral("/proc/net/tcp6"), connection);
}

bool PeerIsOurUser(const QAbstractSocket& connection) {
    return PeerOwner(connection) == ::getuid();
}

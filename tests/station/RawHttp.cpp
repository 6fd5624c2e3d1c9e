#include "RawHttp.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

namespace RawHttp {

QByteArray Response::Header(const QByteArray& name) const {
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            return line.mid(colon + 1).trimmed();
        }
    }
    return {};
}

Response Get(const QString& host, int port, const QByteArray& target) {
    const QDeadlineTimer deadline(10000);
    const auto remaining = [&deadline] {
        return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
    };
    QTcpSocket socket;
    socket.connectToHost(host, static_cast<quint16>(port));
    if (!socket.waitForConnected(remaining())) {
        return {};
    }
    socket.write("GET " + target + " HTTP/1.1\r\nHost: " + host.toLatin1() + ':' +
                 QByteArray::number(port) + "\r\nConnection: close\r\n\r\n");
    QByteArray raw;
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(remaining())) {
            raw += socket.readAll();
        }
    }
    raw += socket.readAll();
    Response response;
    const qsizetype end = raw.indexOf("\r\n\r\n");
    if (socket.state() == QAbstractSocket::ConnectedState || end < 0) {
        return response;  // no complete answer in time
    }
    response.head = raw.left(end);
    response.body = raw.mid(end + 4);
    const QList<QByteArray> statusLine =
        response.head.left(response.head.indexOf("\r\n")).split(' ');
    response.status = statusLine.value(1).toInt();
    return response;
}

}  // namespace RawHttp

#include "RawHttp.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

namespace {

int Remaining(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
}

QByteArray RequestText(const QString& host, int port, const QByteArray& method,
                       const QByteArray& target, const QByteArray& body,
                       const QByteArray& contentType) {
    QByteArray request = method + ' ' + target + " HTTP/1.1\r\nHost: " + host.toLatin1() + ':' +
                         QByteArray::number(port) + "\r\nConnection: close\r\n";
    if (!contentType.isEmpty()) {
        request += "Content-Type: " + contentType + "\r\n";
    }
    if (method == "POST") {
        request += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    }
    return request + "\r\n" + body;
}

void Parse(const QByteArray& raw, RawHttp::Response& response) {
    const qsizetype end = raw.indexOf("\r\n\r\n");
    if (end < 0) {
        response.error = QStringLiteral("incomplete response");
        return;
    }
    response.head = raw.left(end);
    response.body = raw.mid(end + 4);
    const QList<QByteArray> statusLine =
        response.head.left(response.head.indexOf("\r\n")).split(' ');
    response.status = statusLine.size() > 1 ? statusLine[1].toInt() : 0;
}

}  // namespace

namespace RawHttp {

QByteArray Response::Header(const QByteArray& name) const {
    const QList<QByteArray> values = Headers(name);
    return values.isEmpty() ? QByteArray() : values.first();
}

QList<QByteArray> Response::Headers(const QByteArray& name) const {
    QList<QByteArray> values;
    for (const QByteArray& line : head.split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            values.append(line.mid(colon + 1).trimmed());
        }
    }
    return values;
}

Response Send(const QString& host, int port, const QByteArray& method, const QByteArray& target,
              const QByteArray& body, const QByteArray& contentType,
              std::chrono::milliseconds limit) {
    Response response;
    const QDeadlineTimer deadline(limit);
    QTcpSocket socket;
    socket.connectToHost(host, static_cast<quint16>(port));
    if (!socket.waitForConnected(Remaining(deadline))) {
        response.error = socket.errorString();
        return response;
    }
    response.connected = true;
    socket.write(RequestText(host, port, method, target, body, contentType));
    QByteArray raw;
    while (socket.state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
        if (socket.waitForReadyRead(Remaining(deadline))) {
            raw += socket.readAll();
        }
    }
    raw += socket.readAll();
    if (socket.state() == QAbstractSocket::ConnectedState) {
        response.error = QStringLiteral("no complete answer in time");
        return response;
    }
    Parse(raw, response);
    return response;
}

}  // namespace RawHttp

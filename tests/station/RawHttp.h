#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <chrono>

// HTTP/1.1 over a plain socket, so that tests see the exact bytes a client gets: the header
// lines as sent, the body undecoded, no redirect followed.
namespace RawHttp {

struct Response {
    bool connected = false;
    QString error;
    int status = 0;
    QByteArray head;  // status line and header lines, CR LF separated, without the blank line
    QByteArray body;

    // The first value of that header (name compared without case), or a null array.
    QByteArray Header(const QByteArray& name) const;
    QList<QByteArray> Headers(const QByteArray& name) const;
};

Response Send(const QString& host, int port, const QByteArray& method, const QByteArray& target,
              const QByteArray& body = {}, const QByteArray& contentType = {},
              std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace RawHttp

#pragma once

#include <QByteArray>
#include <QString>

// HTTP/1.1 over a plain socket, so that tests see the exact bytes a client gets: the header
// lines as sent, the body undecoded, no redirect followed.
namespace RawHttp {

struct Response {
    int status = 0;
    QByteArray head;  // status line and header lines, CR LF separated, without the blank line
    QByteArray body;

    // The first value of that header (name compared without case), or a null array.
    QByteArray Header(const QByteArray& name) const;
};

// A GET of `target`, answered within ten seconds or not at all.
Response Get(const QString& host, int port, const QByteArray& target);

}  // namespace RawHttp

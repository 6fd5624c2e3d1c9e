#pragma once

#include <QByteArray>
#include <QNetworkCookieJar>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include "web/HttpAddress.h"
#include "web/HttpResponseReader.h"

class QTcpSocket;

// What one HTTP exchange brought back.
struct NetResponse {
    // false when no answer came at all (connection refused, host not found, ...) or it was
    // cut off before its end or went over the reader's limits; any whole HTTP response, error
    // statuses included, is an answer
    bool responded = false;
    int status = 0;
    // the header lines as the server sent them, "Name: value" each ended by CR LF, one line per
    // cookie, so that a plain text search finds "Set-Cookie: RmUserid=" or "Date:"
    QByteArray headers;
    QByteArray location;  // the Location header's value, empty when there is none
    QByteArray body;      // the whole body, undecoded
};

// Performs one HTTP/1.1 request at a time without blocking the thread and reports its answer with
// requestFinished. Cookies are kept across requests, as a browser keeps them; redirects are not
// followed here (the caller sees every answer).
//
// The request target goes out exactly as the address spells it: the service reads the log-in
// fields from their escapes byte for byte, letters and digits included, so no part of the address
// is decoded or re-encoded on the way (only bytes that cannot stand in a request line at all,
// spaces, controls and non-ASCII, are escaped). Every request is a connection of its own,
// closed by the server when it has answered.
class CNetRequester : public QObject {
    Q_OBJECT

public:
    explicit CNetRequester(QObject* parent = nullptr);
    ~CNetRequester() override;

    // POST with the form data (application/x-www-form-urlencoded) when post is set, else GET.
    // A request still in flight is dropped first, unanswered.
    void SendRequest(bool post, const QString& address, const QByteArray& requestData);
    // Drops the request in flight, if any; no requestFinished follows for it.
    void Abort();

signals:
    void requestFinished(const NetResponse& response);

private:
    void Connect(const HttpAddress& address);
    void OnConnected();
    void OnReadyRead();
    void OnClosed();
    void Finish();
    void DropSocket();
    void StoreCookies();

    QNetworkCookieJar cookies_;
    QTcpSocket* socket_ = nullptr;
    QByteArray request_;  // written once the connection (and its encryption) is up
    QUrl cookieUrl_;      // the address, for the jar's domain and path matching only
    HttpResponseReader reader_;
    // a request that fails before it is under way (an address that cannot be asked, a socket
    // that gives up at once) is answered from the event loop, never from inside SendRequest
    QTimer failLater_;
    bool starting_ = false;  // inside the socket's connect call
};

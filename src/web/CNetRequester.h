#pragma once

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QObject>
#include <QPointer>
#include <QString>

class QNetworkReply;

// What one HTTP exchange brought back.
struct NetResponse {
    // false when no answer came at all (connection refused, host not found, ...); any HTTP
    // status, errors included, is an answer
    bool responded = false;
    int status = 0;
    // the header lines as the server sent them, "Name: value" each ended by CR LF, one line per
    // cookie, so that a plain text search finds "Set-Cookie: RmUserid=" or "Date:"
    QByteArray headers;
    QByteArray location;  // the Location header's value, empty when there is none
    QByteArray body;      // the whole body, undecoded
};

// Performs one HTTP request at a time without blocking the thread and reports its answer with
// requestFinished. Cookies are kept across requests, as a browser keeps them; redirects are not
// followed here (the caller sees every answer).
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
    void OnFinished();

    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
};

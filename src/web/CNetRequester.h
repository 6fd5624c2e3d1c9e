#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include <curl/curl.h>

#include "web/CurlMulti.h"

// What one HTTP exchange brought back.
struct NetResponse {
    // false when no answer came at all (connection refused, host not found, ...) or it was
    // cut off before its end or went over the limits; any whole HTTP response, error statuses
    // included, is an answer
    bool responded = false;
    int status = 0;
    // the header lines as the server sent them, "Name: value" each ended by CR LF, one line per
    // cookie, so that a plain text search finds "Set-Cookie: RmUserid=" or "Date:"
    QByteArray headers;
    QByteArray location;  // the Location header's value, empty when there is none
    QByteArray body;      // the whole body, undecoded
};

// Performs one HTTP/1.1 request at a time with libcurl on the event loop and reports its answer
// with requestFinished. Cookies are kept across requests, as a browser keeps them; redirects are
// not followed here (the caller sees every answer). Proxies come from the environment
// (http_proxy, https_proxy, no_proxy) and https answers only from a server whose certificate
// checks out.
//
// The request target goes out exactly as the address spells it: the service reads the log-in
// fields from their escapes byte for byte, letters and digits included, so no part of the address
// is decoded or re-encoded on the way (only bytes that cannot stand in a request line at all,
// spaces, controls and non-ASCII, are escaped). Every request is a connection of its own.
class CNetRequester : public QObject {
    Q_OBJECT

public:
    // the answers are small pages; anything larger is no answer
    static constexpr qsizetype kMaxBodyBytes = 1024 * 1024;
    static constexpr qsizetype kMaxHeadBytes = 64 * 1024;
    static constexpr int kMaxHeaderLines = 100;

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
    static size_t OnHeaderLine(char* bytes, size_t size, size_t count, void* self);
    static size_t OnBodyBytes(char* bytes, size_t size, size_t count, void* self);
    bool TakeHeaderLine(QByteArrayView line);
    bool TakeBodyBytes(QByteArrayView bytes);
    void SetUp(bool post, const QByteArray& url, const QByteArray& formData);
    void Finish(CURLcode result);
    void DropTransfer();

    CurlMulti multi_;
    CURLSH* cookies_;  // the cookie store every transfer shares
    // The transfer in flight. It holds the address, which may hold the listener's password (the
    // log-in's query): it is freed as soon as the exchange is over.
    CURL* transfer_ = nullptr;
    curl_slist* extraHeaders_ = nullptr;
    NetResponse response_;
    int headerLines_ = 0;
    qsizetype headBytes_ = 0;
    // a request that cannot be made at all (not an http or https address) is answered from the
    // event loop, never from inside SendRequest
    QTimer failLater_;
};

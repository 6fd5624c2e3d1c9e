#include "web/CNetRequester.h"

#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

namespace {

// Qt joins a repeated header's values with "\n" (Set-Cookie); each becomes a line of its own
// again, as the server sent it.
QByteArray RawHeaderText(const QNetworkReply& reply) {
    QByteArray text;
    for (const auto& [name, value] : reply.rawHeaderPairs()) {
        for (const QByteArray& line : value.split('\n')) {
            text += name + ": " + line + "\r\n";
        }
    }
    return text;
}

}  // namespace

CNetRequester::CNetRequester(QObject* parent) : QObject(parent) {}

CNetRequester::~CNetRequester() {
    Abort();
}

void CNetRequester::SendRequest(bool post, const QString& address, const QByteArray& requestData) {
    Abort();
    // QUrl writes a percent-escaped letter or digit as the character itself; the server reads
    // both forms the same, every other escape goes out as it was given
    QNetworkRequest request{QUrl(address)};
    // over HTTP/2 header names arrive in lower case; the program searches them as sent
    request.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    if (post) {
        request.setHeader(QNetworkRequest::ContentTypeHeader,
                          QByteArrayLiteral("application/x-www-form-urlencoded"));
        reply_ = network_.post(request, requestData);
    } else {
        reply_ = network_.get(request);
    }
    connect(reply_, &QNetworkReply::finished, this, &CNetRequester::OnFinished);
}

void CNetRequester::Abort() {
    if (reply_ == nullptr) {
        return;
    }
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
}

void CNetRequester::OnFinished() {
    QNetworkReply* reply = reply_;
    if (reply == nullptr) {
        return;
    }
    reply_ = nullptr;
    reply->deleteLater();
    NetResponse response;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    response.responded = status.isValid();
    if (response.responded) {
        response.status = status.toInt();
        response.headers = RawHeaderText(*reply);
        response.location = reply->rawHeader("Location");
        response.body = reply->readAll();
    }
    emit requestFinished(response);
}

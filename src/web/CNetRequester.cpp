#include "web/CNetRequester.h"

#include "web/HttpAddress.h"

#include <QNetworkCookie>
#include <QSslSocket>
#include <QTcpSocket>

#include <optional>

namespace {

const QByteArray kUserAgent = QByteArrayLiteral("Mozilla/4.0 (compatible; Quilo)");

// The target as given, with only the bytes that would break the request line escaped.
QByteArray WireTarget(const QByteArray& target) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    QByteArray wire;
    wire.reserve(target.size());
    for (const char byte : target) {
        const auto value = static_cast<unsigned char>(byte);
        if (value > 0x20 && value < 0x7F) {
            wire.append(byte);
        } else {
            wire.append('%').append(kDigits[value >> 4]).append(kDigits[value & 0x0F]);
        }
    }
    return wire;
}

QByteArray CookieHeader(const QList<QNetworkCookie>& cookies) {
    QByteArrayList pairs;
    for (const QNetworkCookie& cookie : cookies) {
        pairs << cookie.toRawForm(QNetworkCookie::NameAndValueOnly);
    }
    return pairs.isEmpty() ? QByteArray() : "Cookie: " + pairs.join("; ") + "\r\n";
}

QByteArray RequestText(bool post, const HttpAddress& address, const QByteArray& cookieHeader,
                       const QByteArray& formData) {
    QByteArray text = (post ? "POST " : "GET ") + WireTarget(address.target) + " HTTP/1.1\r\n";
    text += "Host: " + address.HostHeader() + "\r\n";
    text += "User-Agent: " + kUserAgent + "\r\n";
    text += "Accept: */*\r\nConnection: close\r\n";
    text += cookieHeader;
    if (post) {
        text += "Content-Type: application/x-www-form-urlencoded\r\n";
        text += "Content-Length: " + QByteArray::number(formData.size()) + "\r\n";
    }
    text += "\r\n";
    return post ? text + formData : text;
}

}  // namespace

CNetRequester::CNetRequester(QObject* parent) : QObject(parent) {
    failLater_.setSingleShot(true);
    failLater_.setInterval(0);
    connect(&failLater_, &QTimer::timeout, this, &CNetRequester::Finish);
}

CNetRequester::~CNetRequester() {
    Abort();
}

void CNetRequester::SendRequest(bool post, const QString& address, const QByteArray& requestData) {
    Abort();
    reader_ = HttpResponseReader();
    const std::optional<HttpAddress> split = SplitHttpAddress(address.toUtf8());
    if (!split) {
        failLater_.start();
        return;
    }
    cookieUrl_ = QUrl(address);
    request_ =
        RequestText(post, *split, CookieHeader(cookies_.cookiesForUrl(cookieUrl_)), requestData);
    Connect(*split);
}

void CNetRequester::Connect(const HttpAddress& address) {
    QSslSocket* secure = address.secure ? new QSslSocket(this) : nullptr;
    socket_ = secure != nullptr ? secure : new QTcpSocket(this);
    if (secure != nullptr) {
        connect(secure, &QSslSocket::encrypted, this, &CNetRequester::OnConnected);
    } else {
        connect(socket_, &QTcpSocket::connected, this, &CNetRequester::OnConnected);
    }
    connect(socket_, &QTcpSocket::readyRead, this, &CNetRequester::OnReadyRead);
    // a refusal, an unknown host, a failed handshake and the server's close all end up here;
    // whether anything counts as an answer is for the reader to tell
    connect(socket_, &QTcpSocket::disconnected, this, &CNetRequester::OnClosed);
    connect(socket_, &QTcpSocket::errorOccurred, this, &CNetRequester::OnClosed);
    starting_ = true;
    const QString host = QString::fromUtf8(address.host);
    if (secure != nullptr) {
        secure->connectToHostEncrypted(host, address.port);
    } else {
        socket_->connectToHost(host, address.port);
    }
    starting_ = false;
}

void CNetRequester::Abort() {
    failLater_.stop();
    DropSocket();
}

void CNetRequester::OnConnected() {
    socket_->write(request_);
    request_.clear();
}

void CNetRequester::OnReadyRead() {
    if (reader_.Feed(socket_->readAll())) {
        Finish();
    }
}

void CNetRequester::OnClosed() {
    if (starting_) {
        failLater_.start();  // a socket that fails at once must not answer inside SendRequest
        return;
    }
    reader_.Feed(socket_->readAll());
    reader_.ConnectionClosed();
    Finish();
}

void CNetRequester::Finish() {
    failLater_.stop();
    NetResponse response;
    response.responded = reader_.HasStatus();
    if (response.responded) {
        response.status = reader_.Status();
        response.headers = reader_.HeaderLines();
        response.location = reader_.HeaderValues("Location").value(0);
        response.body = reader_.Body();
        StoreCookies();
    }
    // dropped before the answer is told: its receiver may well send the next request at once
    DropSocket();
    emit requestFinished(response);
}

// The request and its address may hold the listener's password (the log-in's query): neither is
// kept once the exchange is over.
void CNetRequester::DropSocket() {
    request_.clear();
    cookieUrl_.clear();
    if (socket_ == nullptr) {
        return;
    }
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void CNetRequester::StoreCookies() {
    QList<QNetworkCookie> received;
    for (const QByteArray& value : reader_.HeaderValues("Set-Cookie")) {
        received += QNetworkCookie::parseCookies(value);
    }
    cookies_.setCookiesFromUrl(received, cookieUrl_);
}

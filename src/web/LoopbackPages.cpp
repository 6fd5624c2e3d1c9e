#include "web/LoopbackPages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QTimer>

#include "platform/PeerOwner.h"

namespace {

constexpr int kTokenWords = 4;  // 128 random bits
constexpr qsizetype kRequestLimit = 16 * 1024;
const char* const kBufferProperty = "loopbackRequest";

QByteArray NewToken() {
    quint32 words[kTokenWords];
    QRandomGenerator::system()->fillRange(words);
    return QByteArray(reinterpret_cast<const char*>(words), sizeof words).toHex();
}

QByteArray Response(const QByteArray& statusLine, const QByteArray& headers,
                    const QByteArray& body) {
    // no-store: the page is single use, the browser must not show it again from its cache
    return "HTTP/1.1 " + statusLine + "\r\n" + headers + "Cache-Control: no-store\r\n" +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

QByteArray NotFound() {
    return Response("404 Not Found", "Content-Type: text/plain\r\n", "Not found\n");
}

// "/token" from "GET /token HTTP/1.1"; empty for anything else.
QByteArray RequestPath(const QByteArray& head) {
    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    return words.size() == 3 && (words[0] == "GET" || words[0] == "HEAD") ? words[1] : QByteArray();
}

}  // namespace

LoopbackPages::LoopbackPages(QObject* parent) : QObject(parent) {
    connect(&server_, &QTcpServer::newConnection, this, &LoopbackPages::OnConnection);
}

LoopbackPages& LoopbackPages::Shared() {
    static QPointer<LoopbackPages> shared;
    if (shared.isNull()) {
        // owned by the application, so it goes with it and a later application gets a new one
        shared = new LoopbackPages(QCoreApplication::instance());
    }
    return *shared;
}

QString LoopbackPages::Offer(const QByteArray& response, int lifetimeMs,
                             std::function<void()> onExpired) {
    if (!Listen()) {
        return {};
    }
    const QByteArray token = NewToken();
    pages_.insert(token, Page{response, QDeadlineTimer(lifetimeMs), std::move(onExpired)});
    QTimer::singleShot(lifetimeMs, this, [this, token] { Expire(token); });
    return AddressOf(token);
}

void LoopbackPages::Withdraw(const QString& address) {
    pages_.remove(address.section(u'/', -1).toLatin1());
}

QByteArray LoopbackPages::HtmlPage(const QByteArray& html) {
    return Response("200 OK", "Content-Type: text/html\r\n", html);
}

bool LoopbackPages::Listen() {
    return server_.isListening() || server_.listen(QHostAddress::LocalHost, 0);
}

void LoopbackPages::OnConnection() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LoopbackPages::OnReadable(QTcpSocket* socket) {
    QByteArray head = socket->property(kBufferProperty).toByteArray() + socket->readAll();
    if (!head.contains("\r\n\r\n") && head.size() < kRequestLimit) {
        socket->setProperty(kBufferProperty, head);
        return;
    }
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    // asked before the token is looked at, so that a stranger's request cannot spend it; the peer
    // still waits for its answer, so its socket is in the kernel's table now
    const QByteArray response = PeerIsOurUser(*socket) ? Take(RequestPath(head)) : QByteArray();
    socket->write(response.isEmpty() ? NotFound() : response);
    socket->disconnectFromHost();
}

QByteArray LoopbackPages::Take(const QByteArray& path) {
    const QByteArray token = path.mid(1);
    const auto page = pages_.constFind(token);
    if (!path.startsWith('/') || page == pages_.cend() || page->deadline.hasExpired()) {
        return {};
    }
    const QByteArray response = page->response;
    pages_.erase(page);
    emit served(AddressOf(token));
    return response;
}

void LoopbackPages::Expire(const QByteArray& token) {
    const auto page = pages_.constFind(token);
    if (page == pages_.cend()) {
        return;
    }
    const std::function<void()> onExpired = page->onExpired;
    pages_.erase(page);
    if (onExpired) {
        onExpired();
    }
}

QString LoopbackPages::AddressOf(const QByteArray& token) const {
    return QStringLiteral("http://127.0.0.1:%1/%2")
        .arg(server_.serverPort())
        .arg(QString::fromLatin1(token));
}

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QString>
#include <QTcpServer>
#include <functional>

class QTcpSocket;

// Hands the browser something that must not travel on a command line (a form to post, holding the
// password) through a private address of ours instead: a server on 127.0.0.1 at a port the system
// picks, where every page sits under its own random token, is served once, and disappears after
// its lifetime. The address is still readable by every local user from the browser's command
// line, so a page goes only to a connection of a process of our own user; anyone else gets the
// 404 and leaves the page in place. Anything else there, a second fetch included, gets a 404.
class LoopbackPages : public QObject {
    Q_OBJECT

public:
    explicit LoopbackPages(QObject* parent = nullptr);

    // The process's one server, started on first use and kept until the application ends.
    static LoopbackPages& Shared();

    // Keeps the whole HTTP response for one fetch and returns the address that serves it, or an
    // empty text when the server cannot listen. onExpired runs when the lifetime passes unfetched.
    QString Offer(const QByteArray& response, int lifetimeMs, std::function<void()> onExpired = {});
    // Forgets a page that will not be fetched (the browser could not be started).
    void Withdraw(const QString& address);

    // The page names its character set itself (a meta element).
    static QByteArray HtmlPage(const QByteArray& html);

signals:
    // A page was served; its token is spent.
    void served(const QString& address);

private:
    struct Page {
        QByteArray response;
        QDeadlineTimer deadline;
        std::function<void()> onExpired;
    };

    bool Listen();
    void OnConnection();
    void OnReadable(QTcpSocket* socket);
    QByteArray Take(const QByteArray& path);
    void Expire(const QByteArray& token);
    QString AddressOf(const QByteArray& token) const;

    QTcpServer server_;
    QHash<QByteArray, Page> pages_;
};

// The hidden browser's chain of pages against a scripted site: relative redirects and a page's
// meta refresh are followed, and the log-in rule counts every page of the chain.

#include "web/CWebRequestDlg.h"

#include "platform/ActivityLog.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// Answers each path with a fixed response and remembers the paths asked for, in order.
class ScriptedSite {
public:
    explicit ScriptedSite(QMap<QByteArray, QByteArray> answers) : answers_(std::move(answers)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
    }

    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    const QList<QByteArray>& Asked() const { return asked_; }

private:
    void Accept() {
        QTcpSocket* socket = server_.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            request_[socket] += socket->readAll();
            if (!request_[socket].contains("\r\n\r\n")) {
                return;
            }
            const QByteArray target = request_.take(socket).split(' ').value(1);
            const QByteArray path = target.split('?').value(0);
            asked_ << path;
            socket->write(answers_.value(path, "HTTP/1.1 404 Not Found\r\nContent-Length: 0"));
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpServer server_;
    QMap<QByteArray, QByteArray> answers_;
    QMap<QTcpSocket*, QByteArray> request_;
    QList<QByteArray> asked_;
};

QByteArray Page(const QByteArray& headers, const QByteArray& body = {}) {
    return "HTTP/1.1 200 OK\r\nConnection: close\r\n" + headers +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

QByteArray Redirect(const QByteArray& location) {
    return "HTTP/1.1 302 Found\r\nConnection: close\r\nLocation: " + location +
           "\r\nContent-Length: 0\r\n\r\n";
}

const QByteArray kLoginCookies =
    "Set-Cookie: RmUserid=demo; path=/\r\n"
    "Set-Cookie: RmUserInfo=USER%5FNAME=%C8%AB%B1%E6%B5%BF&USER%5FLEVEL=1; path=/\r\n";

}  // namespace

TEST(BrowserChain, EveryPageOfTheChainCountsAndTheFourthEndsTheLogInWhateverItCarries) {
    const QByteArray refreshPage =
        R"(<html><head><META HTTP-EQUIV="Refresh" CONTENT="0; URL=/sso/out"></head></html>)";
    // three pages without the cookie; the fourth sets it, too late
    ScriptedSite late({{"/subloginproc.asp", Redirect("member/fail")},
                       {"/member/fail", Page("Content-Type: text/html\r\n", refreshPage)},
                       {"/sso/out", Redirect("/member/form")},
                       {"/member/form", Page(kLoginCookies)}});
    ActivityLog log;
    LoginInfo login;
    CWebRequestDlg refusing(log, {"http://127.0.0.1:1", late.Base()}, login);
    EXPECT_EQ(refusing.RequestLogin("demo", "pw", 10000), LoginResult::Incorrect);
    EXPECT_EQ(late.Asked(),
              QList<QByteArray>({"/subloginproc.asp", "/member/fail", "/sso/out", "/member/form"}));
    EXPECT_TRUE(login.userName.isEmpty());

    // the same cookie one page earlier logs in, with the name it carries
    ScriptedSite early({{"/subloginproc.asp", Redirect("/member/fail")},
                        {"/member/fail", Page("Content-Type: text/html\r\n", refreshPage)},
                        {"/sso/out", Page(kLoginCookies)}});
    CWebRequestDlg accepting(log, {"http://127.0.0.1:1", early.Base()}, login);
    EXPECT_EQ(accepting.RequestLogin("demo", "pw", 10000), LoginResult::LoggedIn);
    EXPECT_EQ(login.userName, QStringLiteral("홍길동"));
    EXPECT_EQ(early.Asked().size(), 3);
}

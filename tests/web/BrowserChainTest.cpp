// The hidden browser's chain of pages against a scripted site: relative redirects and a page's
// meta refresh are followed, and the log-in rule counts every page of the chain.

#include "web/CWebRequestDlg.h"

#include "ScriptedSite.h"
#include "platform/ActivityLog.h"
#include "support/Await.h"
#include "support/ChannelAnswers.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace {

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

// A response whose body comes in chunks of the given pieces.
QByteArray Chunked(const QByteArray& statusAndHeaders, const QByteArrayList& pieces) {
    QByteArray text = statusAndHeaders + "Transfer-Encoding: chunked\r\n\r\n";
    for (const QByteArray& piece : pieces) {
        text += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
    }
    return text + "0\r\n\r\n";
}

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
    EXPECT_EQ(ChannelAnswers::LogIn(refusing, "demo", "pw", 10000), LoginResult::Incorrect);
    EXPECT_EQ(late.Asked(),
              QList<QByteArray>({"/subloginproc.asp", "/member/fail", "/sso/out", "/member/form"}));
    EXPECT_TRUE(login.userName.isEmpty());

    // the same cookie one page earlier logs in, with the name it carries
    ScriptedSite early({{"/subloginproc.asp", Redirect("/member/fail")},
                        {"/member/fail", Page("Content-Type: text/html\r\n", refreshPage)},
                        {"/sso/out", Page(kLoginCookies)}});
    CWebRequestDlg accepting(log, {"http://127.0.0.1:1", early.Base()}, login);
    EXPECT_EQ(ChannelAnswers::LogIn(accepting, "demo", "pw", 10000), LoginResult::LoggedIn);
    EXPECT_EQ(login.userName, "홍길동");
    EXPECT_EQ(early.Asked().size(), 3);
}

TEST(BrowserChain, AnswersCutIntoPiecesAreReadWholeAndTheCookiesTravelTheChain) {
    ScriptedSite site(
        {{"/subloginproc.asp",
          "HTTP/1.1 302 Object Moved\r\nSet-Cookie: ASPSESSIONID=abc; path=/\r\n"
          "Location: /member/ok\r\nContent-Length: 0\r\n\r\n"},
         {"/member/ok", Chunked("HTTP/1.1 200 OK\r\n" + kLoginCookies, {"<html>", "</html>"})},
         {"/info/scroll.txt", Chunked("HTTP/1.1 200 OK\r\nDate: Mon, 31 Dec 2007 15:00:10 GMT\r\n",
                                      {"[SCR_TXT]\r\n", "first line", "\r\nsecond"})},
         {"/quilo_board/pcRadio_act.asp", Chunked("HTTP/1.1 200 OK\r\n", {"0"})}});
    site.Trickle(7);
    ActivityLog log;
    LoginInfo login;
    CWebRequestDlg channel(log, {site.Base(), site.Base()}, login);

    ASSERT_EQ(ChannelAnswers::LogIn(channel, "demo", "pw", 10000), LoginResult::LoggedIn);
    // the name comes from the second of the page's Set-Cookie lines
    EXPECT_EQ(login.userName, "홍길동");
    const QList<Received>& asked = site.Requests();
    ASSERT_EQ(asked.size(), 2);
    EXPECT_TRUE(asked[0].target.startsWith("/subloginproc.asp?userid=%64%65%6D%6F&passwd=%70%77&"))
        << asked[0].target.toStdString();
    EXPECT_TRUE(asked[0].headers.contains("Host: " + site.Base().mid(7).toLatin1() + "\r\n"));
    EXPECT_TRUE(asked[0].headers.contains("Connection: close\r\n"));
    EXPECT_FALSE(asked[0].headers.contains("Cookie:"));
    EXPECT_FALSE(asked[0].headers.contains("Accept-Encoding"));
    EXPECT_TRUE(asked[1].headers.contains("Cookie: ASPSESSIONID=abc\r\n"))
        << asked[1].headers.toStdString();

    const ServerTimeReading clock = ChannelAnswers::ServerTime(channel, 10000);
    ASSERT_TRUE(clock.read);
    EXPECT_EQ(clock.body, QByteArray("[SCR_TXT]\r\nfirst line\r\nsecond"));
    EXPECT_EQ(clock.time.tm_hour, 0);
    EXPECT_EQ(clock.time.tm_year, 108);
    // the log-in's cookies go along with every later request to the site
    EXPECT_TRUE(site.Requests().last().headers.contains("RmUserid=demo"));

    ASSERT_EQ(ChannelAnswers::Post(channel, "01", "a&b=c", 10000), 0);
    const Received& posting = site.Requests().last();
    EXPECT_EQ(posting.method, QByteArray("POST"));
    EXPECT_EQ(posting.body, QByteArray("progcd=%30%31&userid=%64%65%6D%6F"
                                       "&writer=%C8%AB%B1%E6%B5%BF&contents=%61%26%62%3D%63"));
    EXPECT_TRUE(posting.headers.contains("Content-Type: application/x-www-form-urlencoded\r\n"));
}

TEST(BrowserChain, AConnectionClosedBeforeTheAnswerEndsOrRefusedIsNoAnswer) {
    ScriptedSite silent({{"/subloginproc.asp", ""}});
    ActivityLog log;
    LoginInfo login;
    CWebRequestDlg closing(log, {silent.Base(), silent.Base()}, login);
    EXPECT_EQ(ChannelAnswers::LogIn(closing, "demo", "pw", 10000), LoginResult::NotConnected);
    EXPECT_EQ(silent.Asked(), QList<QByteArray>({"/subloginproc.asp"}));

    // a port nobody listens on, and an address no request can be made to
    for (const QString& address : {silent.Base().left(silent.Base().lastIndexOf(':')) + ":1",
                                   QStringLiteral("ftp://127.0.0.1")}) {
        CWebRequestDlg refused(log, {address, address}, login);
        EXPECT_EQ(ChannelAnswers::LogIn(refused, "demo", "pw", 10000), LoginResult::NotConnected)
            << address.toStdString();
    }

    // an answer the close cuts off, or one longer than an answer may be, is none either; a body
    // that runs until the close is whole
    const QByteArray head = "HTTP/1.1 200 OK\r\nConnection: close\r\n";
    ScriptedSite cutting(
        {{"/cut", head + "Content-Length: 100\r\n\r\npart"},
         {"/huge", head + "\r\n" + QByteArray(CNetRequester::kMaxBodyBytes + 1, 'x')},
         {"/whole", head + "\r\nall"}});
    CNetRequester requester;
    QList<NetResponse> answers;
    QObject::connect(&requester, &CNetRequester::requestFinished,
                     [&answers](const NetResponse& response) { answers << response; });
    const std::pair<const char*, QByteArray> expected[] = {
        {"/cut", {}}, {"/huge", {}}, {"/whole", "all"}};
    for (const auto& [path, body] : expected) {
        requester.SendRequest(false, cutting.Base() + path, {});
        ASSERT_TRUE(Await([&answers] { return !answers.isEmpty(); })) << path;
        const NetResponse answer = answers.takeFirst();
        EXPECT_EQ(answer.responded, !body.isEmpty()) << path;
        EXPECT_EQ(answer.body, body) << path;
    }
}

TEST(BrowserChain, AnAbortedRequestIsNeverAnsweredAndTheRequesterGoesOnToTheNext) {
    ScriptedSite site({{"/slow", Page("X-Page: slow\r\n", QByteArray(120, 'x'))}});
    site.Trickle(7);
    CNetRequester requester;
    QList<NetResponse> answers;
    QObject::connect(&requester, &CNetRequester::requestFinished,
                     [&answers](const NetResponse& response) { answers << response; });

    requester.SendRequest(false, site.Base() + "/slow", {});
    ASSERT_TRUE(Await([&site] { return site.Requests().size() == 1; }));
    requester.Abort();
    ASSERT_TRUE(Await([&site] { return site.AnswersEnded() == 1; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(answers.isEmpty());

    requester.SendRequest(false, site.Base() + "/slow", {});
    ASSERT_TRUE(Await([&answers] { return !answers.isEmpty(); }));
    ASSERT_EQ(answers.size(), 1);
    EXPECT_TRUE(answers[0].responded);
    EXPECT_EQ(answers[0].status, 200);
    EXPECT_TRUE(answers[0].headers.contains("X-Page: slow\r\n"));
    EXPECT_EQ(answers[0].body, QByteArray(120, 'x'));
}

TEST(BrowserChain, AProxyNamedInTheEnvironmentCarriesTheRequestWithItsTargetAsWritten) {
    ScriptedSite proxy({});
    qputenv("http_proxy", proxy.Base().toLatin1());
    CNetRequester requester;
    QList<NetResponse> answers;
    QObject::connect(&requester, &CNetRequester::requestFinished,
                     [&answers](const NetResponse& response) { answers << response; });
    requester.SendRequest(false, "http://radio.invalid/a/../b?x=%61", {});
    ASSERT_TRUE(Await([&answers] { return !answers.isEmpty(); }));
    qunsetenv("http_proxy");
    EXPECT_EQ(answers[0].status, 404);
    ASSERT_EQ(proxy.Requests().size(), 1);
    EXPECT_EQ(proxy.Requests()[0].target, QByteArray("http://radio.invalid/a/../b?x=%61"));
}

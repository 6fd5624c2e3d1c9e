// The member log-in as the client performs it, a GET with every byte of ID and password
// percent-encoded, and as the browser's form posts it; then each redirect followed as its own
// request.

#include "ServerTextScan.h"
#include "StationProcess.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QUrl>

using namespace ServerTextScan;

namespace {

QByteArray LoginFields(const StationProcess& station, const QString& id, const QString& password) {
    return "userid=" + PercentEveryByte(KoreanBytes(id)) +
           "&passwd=" + PercentEveryByte(KoreanBytes(password)) +
           "&returnurl=" + station.Base(StationProcess::kWeb).toLatin1() + "/empty.asp&eradio=Y";
}

// Every response of the log-in and the pages it leads to, as a browser would fetch them. The
// fields go in the query, or posted in a form body as a browser's form sends them.
QList<RawHttp::Response> FollowLogin(const StationProcess& station, const QString& id,
                                     const QString& password, bool posted = false) {
    const QUrl login(station.Base(StationProcess::kMain) + "/subloginproc.asp");
    const QByteArray fields = LoginFields(station, id, password);
    QList<RawHttp::Response> responses = {
        posted ? RawHttp::Send(login.host(), login.port(), "POST", "/subloginproc.asp", fields,
                               "application/x-www-form-urlencoded")
               : RawHttp::Send(login.host(), login.port(), "GET", "/subloginproc.asp?" + fields)};
    while (responses.size() < 10 && !responses.last().Header("Location").isEmpty()) {
        const QUrl next = QUrl::fromEncoded(responses.last().Header("Location"));
        responses.append(RawHttp::Send(next.host(), next.port(), "GET",
                                       next.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority)));
    }
    return responses;
}

bool SetsLoginCookie(const RawHttp::Response& response) {
    return response.head.contains("\r\nSet-Cookie: RmUserid=");
}

}  // namespace

TEST(Login, GoodPasswordSetsCookieWithTheKoreanNameAndReturns) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QList<RawHttp::Response> responses = FollowLogin(station, "demo", "quilo2007");
    ASSERT_EQ(responses.size(), 2);
    EXPECT_TRUE(SetsLoginCookie(responses[0]));
    EXPECT_EQ(Korean(HexName(responses[0].head)), QString("홍길동"));
    EXPECT_EQ(responses[0].Header("Location"),
              station.Base(StationProcess::kWeb).toLatin1() + "/empty.asp");
    EXPECT_EQ(responses[1].status, 200);
    // the same fields posted, as a browser's form sends them, are answered the same way
    const QList<RawHttp::Response> posted = FollowLogin(station, "demo", "quilo2007", true);
    ASSERT_EQ(posted.size(), 2);
    EXPECT_TRUE(SetsLoginCookie(posted[0]));
    EXPECT_EQ(posted[0].Header("Location"), responses[0].Header("Location"));

    // A name with a syllable only the Windows code page has (똠 = 8C 63).
    const RawHttp::Response extended = FollowLogin(station, "listener", "radio123").first();
    EXPECT_TRUE(HexName(extended.head).contains("\x8C\x63"));
    EXPECT_EQ(Korean(HexName(extended.head)), QString("최똠이"));

    // A member without a display name gets the cookie but no name value.
    const RawHttp::Response nameless = FollowLogin(station, "noname", "noname").first();
    EXPECT_TRUE(SetsLoginCookie(nameless));
    EXPECT_FALSE(nameless.head.contains("USER%5FNAME="));
}

TEST(Login, WrongPasswordLeadsThroughFourPagesWithoutTheCookie) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    for (const auto& [id, password] :
         {std::pair{"demo", "wrong"}, std::pair{"nobody", "quilo2007"}, std::pair{"", ""}}) {
        const QList<RawHttp::Response> responses = FollowLogin(station, id, password);
        ASSERT_GE(responses.size(), 4) << id;
        for (const RawHttp::Response& response : responses) {
            EXPECT_FALSE(SetsLoginCookie(response)) << response.head.constData();
            EXPECT_FALSE(response.head.contains("USER%5FNAME="));
        }
        EXPECT_EQ(responses.last().status, 200);
        EXPECT_TRUE(Korean(responses.last().body).contains("일치하지 않습니다"));
    }
}

TEST(Login, UsersFileWithKoreanPasswordAndRejectAllFault) {
    QTemporaryDir folder;
    const QString users = folder.filePath("users.txt");
    QFile file(users);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("# test members\nkim\t비밀번호\t김철수\n");
    file.close();
    StationProcess station({"--users", users});
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();

    EXPECT_TRUE(SetsLoginCookie(FollowLogin(station, "kim", "비밀번호").first()));
    EXPECT_TRUE(SetsLoginCookie(FollowLogin(station, "kim", "비밀번호", true).first()));
    EXPECT_FALSE(SetsLoginCookie(FollowLogin(station, "demo", "quilo2007").first()))
        << "only the given users file counts";

    ASSERT_TRUE(station.Control("/_station/fault?name=reject-logins"));
    const QList<RawHttp::Response> rejected = FollowLogin(station, "kim", "비밀번호");
    EXPECT_GE(rejected.size(), 4);
    EXPECT_FALSE(SetsLoginCookie(rejected.first()));
    ASSERT_TRUE(station.Control("/_station/fault?name=clear"));
    EXPECT_TRUE(SetsLoginCookie(FollowLogin(station, "kim", "비밀번호").first()));
}

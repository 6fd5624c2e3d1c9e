// The request channel as the program uses it, against a station on its own loopback address:
// what each request returns, what it writes to the activity log and what the station received.

#include "StationProcess.h"
#include "web/CWebRequestDlg.h"

#include "platform/ActivityLog.h"
#include "support/ChannelAnswers.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

constexpr int kLoginLimitMs = 40000;

// The channel with everything it writes to, pointed at one station.
struct Channel {
    explicit Channel(const StationProcess& station)
        : dlg(log,
              WebAddresses{station.Base(StationProcess::kWeb), station.Base(StationProcess::kMain)},
              login) {}

    QStringList Logged() const { return LoggedMessages(log.FileName()); }

    ActivityLog log;
    LoginInfo login;
    CWebRequestDlg dlg;
};

QJsonArray Requests(const StationProcess& station, const QByteArray& filter = {}) {
    return QJsonDocument::fromJson(
               station.Get(StationProcess::kControl, "/_station/requests" + filter).body)
        .array();
}

QStringList Sites(const QJsonArray& requests) {
    QStringList sites;
    for (const QJsonValue request : requests) {
        sites << request["site"].toString();
    }
    return sites;
}

void LogInAsDemo(Channel& channel) {
    channel.login.userId = "demo";
    channel.login.userName = QStringLiteral("홍길동");
}

}  // namespace

TEST(WebRequest, LogInTakesTheNameFromTheCookieAndNeverRecordsThePassword) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);

    EXPECT_EQ(ChannelAnswers::LogIn(channel.dlg, "demo", "quilo2007", kLoginLimitMs),
              LoginResult::LoggedIn);
    EXPECT_EQ(channel.login.userName, QStringLiteral("홍길동"));
    EXPECT_EQ(channel.login.userId, QString("demo"));
    EXPECT_EQ(channel.dlg.State(), 0);
    EXPECT_EQ(channel.Logged(), QStringList({"TRY to log-in.", "SUXES to log-in."}));

    const QJsonArray requests = Requests(station);
    ASSERT_EQ(Sites(requests), QStringList({"main"}));
    EXPECT_EQ(requests[0]["path"].toString(), QString("/subloginproc.asp"));
    // every byte of the ID and the password arrives escaped, letters and digits included
    EXPECT_EQ(requests[0]["query"].toString(),
              "userid=%64%65%6D%6F&passwd=%71%75%69%6C%6F%32%30%30%37&returnurl=" +
                  station.Base(StationProcess::kWeb) + "/empty.asp&eradio=Y");

    QFile logFile(channel.log.FileName());
    ASSERT_TRUE(logFile.open(QIODevice::ReadOnly));
    const QByteArray logged = logFile.readAll();
    EXPECT_FALSE(logged.contains("quilo2007"));
    EXPECT_FALSE(logged.contains("%71%75%69%6C%6F"));
}

TEST(WebRequest, ARefusedLogInEndsAtTheFourthPageAndLeavesTheNameAlone) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);
    channel.login.userName = QStringLiteral("홍길동");

    EXPECT_EQ(ChannelAnswers::LogIn(channel.dlg, "demo", "wrong", kLoginLimitMs),
              LoginResult::Incorrect);
    EXPECT_EQ(channel.login.userName, QStringLiteral("홍길동"));
    EXPECT_EQ(channel.Logged(), QStringList({"TRY to log-in.", "FAIL to log-in: INCORRECT."}));
    // the log-in page, the failure page, the single-sign-on log-out and the form again
    EXPECT_EQ(Sites(Requests(station)), QStringList({"main", "main", "sso", "main"}));
    // only the main site's log-in page ever sees the password
    for (const QByteArray site : {"sso", "web"}) {
        for (const QJsonValue request : Requests(station, "?site=" + site)) {
            EXPECT_FALSE(request["query"].toString().contains("passwd")) << site.data();
        }
    }
    const QJsonArray main = Requests(station, "?site=main");
    for (qsizetype i = 1; i < main.size(); ++i) {
        EXPECT_FALSE(main[i]["query"].toString().contains("passwd"));
    }
}

TEST(WebRequest, ALogInWithoutAnAnswerIsNotConnectedAndASlowOneTimesOut) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);

    ASSERT_TRUE(station.Control("/_station/fault?name=delay&ms=2500&site=main"));
    constexpr int kLimitMs = 1500;
    QElapsedTimer wall;
    wall.start();
    EXPECT_EQ(ChannelAnswers::LogIn(channel.dlg, "demo", "quilo2007", kLimitMs),
              LoginResult::TimeOver);
    EXPECT_GE(wall.elapsed(), kLimitMs);

    ASSERT_TRUE(station.Control("/_station/fault?name=clear"));
    ASSERT_TRUE(station.Control("/_station/fault?name=refuse&site=main"));
    EXPECT_EQ(ChannelAnswers::LogIn(channel.dlg, "demo", "quilo2007", kLoginLimitMs),
              LoginResult::NotConnected);
    EXPECT_EQ(channel.dlg.State(), 0);
    EXPECT_EQ(channel.Logged(), QStringList({"TRY to log-in.", "FAIL to log-in: TIMEOVER.",
                                             "TRY to log-in.", "FAIL to log-in: NOTCONNECTED."}));
}

TEST(WebRequest, APostingReportsTheBoardsDigitAndTimesOutOnAnyOtherAnswer) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);
    LogInAsDemo(channel);

    EXPECT_EQ(
        ChannelAnswers::Post(channel.dlg, "0000102", QStringLiteral("안녕하세요\r\n똠"), 3000), 0);
    const QJsonArray messages =
        QJsonDocument::fromJson(station.Get(StationProcess::kControl, "/_station/messages").body)
            .array();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0]["writer"].toString(), QStringLiteral("홍길동"));
    EXPECT_EQ(messages[0]["contents"].toString(), QStringLiteral("안녕하세요\r\n똠"));
    // the answer for a missing field is still an answer
    EXPECT_EQ(ChannelAnswers::Post(channel.dlg, "0000102", "", 3000), 5);

    ASSERT_TRUE(station.Control("/_station/fault?name=board&answer=1"));
    constexpr int kLimitMs = 1000;
    QElapsedTimer wall;
    wall.start();
    EXPECT_EQ(ChannelAnswers::Post(channel.dlg, "0000102", "hi", kLimitMs), -1);
    EXPECT_GE(wall.elapsed(), kLimitMs);
    ASSERT_TRUE(station.Control("/_station/fault?name=board&answer=0%0D%0A"));
    EXPECT_EQ(ChannelAnswers::Post(channel.dlg, "0000102", "hi", kLimitMs), -1);

    // a channel that has no open connection to the site yet, as after a restart
    ASSERT_TRUE(station.Control("/_station/fault?name=refuse&site=web"));
    CWebRequestDlg refused(channel.log, {station.Base(StationProcess::kWeb), {}}, channel.login);
    EXPECT_EQ(ChannelAnswers::Post(refused, "0000102", "hi", 3000), -1);
    EXPECT_EQ(channel.Logged(),
              QStringList({"TRY to send the message.", "SUXES to send the message.",
                           "TRY to send the message.", "SUXES to send the message.",
                           "TRY to send the message.", "FAIL to send the message: TIMEOVER.",
                           "TRY to send the message.", "FAIL to send the message: TIMEOVER.",
                           "TRY to send the message.", "FAIL to send the message: NOTCONNECTED."}));
}

TEST(WebRequest, TheServerTimeIsTheDateHeaderInTheServicesTimeWithTheTickerFile) {
    // 15:00:10 GMT on New Year's Eve is ten seconds into the new year in Korea
    StationProcess station({"--clock-start", "2008-01-01T00:00:10", "--clock-rate", "0"});
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);

    const ServerTimeReading clock = ChannelAnswers::ServerTime(channel.dlg, 2000);
    ASSERT_TRUE(clock.read);
    EXPECT_EQ(clock.time.tm_year, 108);
    EXPECT_EQ(clock.time.tm_mon, 0);
    EXPECT_EQ(clock.time.tm_mday, 1);
    EXPECT_EQ(clock.time.tm_wday, 2);
    EXPECT_EQ(clock.time.tm_hour, 0);
    EXPECT_EQ(clock.time.tm_min, 0);
    EXPECT_EQ(clock.time.tm_sec, 10);
    EXPECT_TRUE(clock.body.contains("[SCR_TXT]")) << clock.body.toStdString();

    ASSERT_TRUE(station.Control("/_station/fault?name=no-date"));
    const ServerTimeReading failed = ChannelAnswers::ServerTime(channel.dlg, 500);
    EXPECT_FALSE(failed.read);
    EXPECT_TRUE(failed.body.isEmpty());
    EXPECT_EQ(
        channel.Logged(),
        QStringList({"TRY to get the current time.", "SUXES to get the current time.",
                     "TRY to get the current time.", "FAIL to get the current time: TIMEOVER."}));
}

TEST(WebRequest, AClockReadingAskedForDuringAPostingWaitsItsTurnAndBothGetTheirOwnOutcome) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    Channel channel(station);
    LogInAsDemo(channel);
    ASSERT_TRUE(station.Control("/_station/fault?name=board"));

    // the clock is asked for while the posting waits for its answer, as a clock tick would
    constexpr int kPostingLimitMs = 1500;
    std::optional<int> posted;
    channel.dlg.PostBoardMessage("0000102", "hi", kPostingLimitMs, &channel.dlg,
                                 [&posted](int result) { posted = result; });
    const int stateWhenQueued = channel.dlg.State();
    const ServerTimeReading clock = ChannelAnswers::ServerTime(channel.dlg, 2000);
    EXPECT_EQ(stateWhenQueued, 3);
    EXPECT_EQ(posted, -1);
    EXPECT_TRUE(clock.read);
    EXPECT_TRUE(clock.body.contains("[SCR_TXT]"));
    EXPECT_EQ(channel.dlg.State(), 0);
    EXPECT_EQ(channel.Logged(),
              QStringList({"TRY to send the message.", "FAIL to send the message: TIMEOVER.",
                           "TRY to get the current time.", "SUXES to get the current time."}));

    const QJsonArray requests = Requests(station, "?site=web");
    ASSERT_EQ(requests.size(), 2);
    EXPECT_EQ(requests[0]["path"].toString(), QString("/quilo_board/pcRadio_act.asp"));
    EXPECT_EQ(requests[1]["path"].toString(), QString("/info/scroll.txt"));
    const auto received = [&](int i) {
        return QDateTime::fromString(requests[i]["time"].toString(), Qt::ISODateWithMs);
    };
    // sent when the posting's limit ran out, not when the tick asked for it
    EXPECT_GE(received(0).msecsTo(received(1)), kPostingLimitMs - 400);
}

// The password checks above and in the end-to-end tests read the station's record of what each
// site received: a site it left out, or a filter that answered nothing, would let them pass
// whatever the program sent.
TEST(StationRecord, KeepsEveryRequestOfEverySiteWithItsBytes) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QByteArray form = "progcd=0000102&userid=%64%65%6D%6F&contents=%0D%0A";
    station.Post(StationProcess::kWeb, "/quilo_board/pcRadio_act.asp", form);
    station.Get(StationProcess::kMain, "/subloginproc.asp?userid=%61%62&passwd=%C7%D1");
    station.Get(StationProcess::kSso, "/nowhere");

    const QJsonArray all = Requests(station);
    ASSERT_EQ(Sites(all), QStringList({"web", "main", "sso"}))
        << "control requests are not recorded";
    EXPECT_EQ(all[0]["method"].toString(), QString("POST"));
    EXPECT_EQ(QByteArray::fromHex(all[0]["body_hex"].toString().toLatin1()), form);
    EXPECT_EQ(all[1]["query"].toString(), QString("userid=%61%62&passwd=%C7%D1"));
    for (const QString site : {"web", "main", "sso"}) {
        EXPECT_EQ(Sites(Requests(station, "?site=" + site.toLatin1())), QStringList{site});
    }
}

// The request channel as the program uses it, against a station on its own loopback address:
// what each request returns, what it writes to the activity log and what the station received.

#include "StationProcess.h"
#include "web/CWebRequestDlg.h"

#include "platform/ActivityLog.h"
#include "support/ChannelAnswers.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

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

void LogInAsDemo(Channel& channel) {
    channel.login.userId = "demo";
    channel.login.userName = QStringLiteral("홍길동");
}

}  // namespace

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
    EXPECT_EQ(ChannelAnswers::Post(channel.dlg, "0000102", "hi", kLimitMs), -1);
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
}

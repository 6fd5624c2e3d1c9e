// The simulated clock, the faults a test can switch while the station runs, and the record of
// what the sites received.

#include "ServerTextScan.h"
#include "StationProcess.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ServerTextScan;

namespace {

QDateTime DateHeader(const RawHttp::Response& response) {
    QDateTime date = QDateTime::fromString(QString::fromLatin1(response.Header("Date")),
                                           QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"));
    date.setTimeZone(QTimeZone::utc());
    return date;
}

}  // namespace

TEST(Clock, DateHeaderAndBroadcastDayFollowTheSimulatedClock) {
    // Just before 05:00 in Korea: still the broadcast day of 30 June. The station runs in Korean,
    // yet the header's day and month names stay English.
    qputenv("LC_ALL", "ko_KR.UTF-8");
    StationProcess station({"--clock-start", "2007-07-01T04:59:30", "--clock-rate", "0"});
    qunsetenv("LC_ALL");
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    RawHttp::Response table = station.Get(StationProcess::kWeb, "/time_table.asp");
    EXPECT_EQ(table.Header("Date"), "Sat, 30 Jun 2007 19:59:30 GMT");
    EXPECT_EQ(("Date: " + table.Header("Date")).size(), 35);
    EXPECT_TRUE(table.body.contains("<BRODDATE>20070630</BRODDATE>"));

    ASSERT_TRUE(station.Control("/_station/clock?set=2007-07-01T05:00:00"));
    table = station.Get(StationProcess::kWeb, "/time_table.asp");
    EXPECT_EQ(table.Header("Date"), "Sat, 30 Jun 2007 20:00:00 GMT");
    EXPECT_TRUE(table.body.contains("<BRODDATE>20070701</BRODDATE>"));

    // At a day per second the header moves by about 86400 times the real time between two
    // requests.
    ASSERT_TRUE(station.Control("/_station/clock?rate=86400"));
    QElapsedTimer real;
    real.start();
    const QDateTime first = DateHeader(station.Get(StationProcess::kWeb, "/info/scroll.txt"));
    const RawHttp::Response later = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    const double realSeconds = real.nsecsElapsed() / 1e9;
    ASSERT_TRUE(first.isValid());
    const qint64 simulated = first.secsTo(DateHeader(later));
    EXPECT_GT(simulated, 0);
    EXPECT_LE(simulated, static_cast<qint64>(realSeconds * 86400) + 2);
    EXPECT_FALSE(station.Control("/_station/clock?set=yesterday"));
}

TEST(Faults, NoDateDelayGarbleAndClear) {
    StationProcess station({"--clock-start", "2007-07-01T09:00:00"});
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();

    ASSERT_TRUE(station.Control("/_station/fault?name=no-date"));
    RawHttp::Response ticker = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    EXPECT_EQ(ticker.status, 200);
    EXPECT_FALSE(ticker.head.contains("Date:"));

    ASSERT_TRUE(station.Control("/_station/fault?name=delay&ms=700&site=web"));
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(station.Get(StationProcess::kWeb, "/info/scroll.txt").status, 200);
    EXPECT_GE(timer.elapsed(), 700);
    timer.restart();
    EXPECT_EQ(station.Get(StationProcess::kMain, "/").status, 200);
    EXPECT_LT(timer.elapsed(), 700) << "only the web server was delayed";

    ASSERT_TRUE(station.Control("/_station/fault?name=garble"));
    ticker = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    EXPECT_TRUE(SectionValue(ticker.body, "[SCR_ST]").isNull()) << "no key can be found";
    EXPECT_EQ(ticker.Header("Content-Length").toInt(), ticker.body.size());

    ASSERT_TRUE(station.Control("/_station/fault?name=clear"));
    timer.restart();
    ticker = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    EXPECT_LT(timer.elapsed(), 700);
    EXPECT_TRUE(ticker.head.contains("\r\nDate: "));
    EXPECT_FALSE(SectionValue(ticker.body, "[SCR_ST]").isEmpty());
    EXPECT_FALSE(station.Control("/_station/fault?name=meltdown"));
}

TEST(Faults, RefusedSiteRefusesConnectionsUntilCleared) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();

    // Asked on the web port itself: the answer still arrives, then the port closes.
    EXPECT_EQ(station.Get(StationProcess::kWeb, "/_station/fault?name=refuse&site=web").body,
              "OK\n");
    const RawHttp::Response refused = station.Get(StationProcess::kWeb, "/time_table.asp");
    EXPECT_FALSE(refused.connected) << "connection refused, as when the server is down";
    EXPECT_EQ(station.Get(StationProcess::kMain, "/").status, 200);

    ASSERT_TRUE(station.Control("/_station/fault?name=refuse&site=main"));
    EXPECT_FALSE(station.Get(StationProcess::kMain, "/").connected);
    EXPECT_EQ(station.Get(StationProcess::kSso, "/").status, 200);

    ASSERT_TRUE(station.Control("/_station/fault?name=clear"));
    EXPECT_EQ(station.Get(StationProcess::kWeb, "/time_table.asp").status, 200);
    EXPECT_EQ(station.Get(StationProcess::kMain, "/").status, 200);
}

TEST(RequestRecord, KeepsEveryRequestWithItsBytes) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QByteArray form =
        "progcd=%30%30%30%30%31%30%32&userid=%64%65%6D%6F&writer=%C8%AB&contents=%0D%0A";
    station.Post(StationProcess::kWeb, "/quilo_board/pcRadio_act.asp", form);
    station.Get(StationProcess::kMain, "/subloginproc.asp?userid=%61%62&passwd=%C7%D1");
    station.Get(StationProcess::kSso, "/nowhere");

    const QJsonArray all =
        QJsonDocument::fromJson(station.Get(StationProcess::kControl, "/_station/requests").body)
            .array();
    ASSERT_EQ(all.size(), 3) << "control requests are not recorded";
    EXPECT_EQ(all[0]["site"].toString(), QString("web"));
    EXPECT_EQ(all[0]["method"].toString(), QString("POST"));
    EXPECT_EQ(all[0]["path"].toString(), QString("/quilo_board/pcRadio_act.asp"));
    EXPECT_EQ(QByteArray::fromHex(all[0]["body_hex"].toString().toLatin1()), form);
    bool typed = false;
    for (const QJsonValue header : all[0]["headers"].toArray()) {
        typed |= header[0].toString() == "Content-Type" &&
                 header[1].toString() == "application/x-www-form-urlencoded";
    }
    EXPECT_TRUE(typed);
    EXPECT_EQ(all[1]["query"].toString(), QString("userid=%61%62&passwd=%C7%D1"));
    EXPECT_EQ(all[2]["site"].toString(), QString("sso"));

    const QJsonArray main =
        QJsonDocument::fromJson(
            station.Get(StationProcess::kControl, "/_station/requests?site=main&clear=1").body)
            .array();
    EXPECT_EQ(main.size(), 1);
    EXPECT_TRUE(
        QJsonDocument::fromJson(station.Get(StationProcess::kControl, "/_station/requests").body)
            .array()
            .isEmpty());
}

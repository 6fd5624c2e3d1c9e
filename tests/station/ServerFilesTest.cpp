// The server files the client downloads, read the way the client reads them.

#include "ServerTextScan.h"
#include "StationProcess.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace ServerTextScan;

namespace {

// 09:00 in Korea on a Sunday.
const QStringList kMorning{"--clock-start", "2007-07-01T09:00:00", "--clock-rate", "0"};

// Every line ends in CR LF and the bytes are clean code page 949.
void ExpectServerText(const RawHttp::Response& response) {
    ASSERT_EQ(response.status, 200) << response.head.constData();
    EXPECT_FALSE(response.body.isEmpty());
    EXPECT_EQ(response.body.count('\n'), response.body.count("\r\n"));
    EXPECT_TRUE(response.body.endsWith("\r\n"));
    EXPECT_FALSE(Korean(response.body).contains(QChar::ReplacementCharacter));
}

void ExpectBitmap(const StationProcess& station, const QByteArray& address) {
    const QByteArray prefix = station.Base(StationProcess::kWeb).toLatin1();
    ASSERT_TRUE(address.startsWith(prefix)) << address.constData();
    const RawHttp::Response image = station.Get(StationProcess::kWeb, address.mid(prefix.size()));
    ASSERT_EQ(image.status, 200) << address.constData();
    ASSERT_GT(image.body.size(), 54);
    EXPECT_TRUE(image.body.startsWith("BM"));
    EXPECT_EQ(image.body[28], 24) << "link images are 24-bit bitmaps";
}

}  // namespace

TEST(ServerFiles, ProgramTableCoversTheBroadcastDayInOrder) {
    StationProcess station(kMorning);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const RawHttp::Response table = station.Get(StationProcess::kWeb, "/time_table.asp");
    ExpectServerText(table);
    EXPECT_EQ(table.Header("Date"), "Sun, 01 Jul 2007 00:00:00 GMT");

    const QList<ProgramRow> rows = ProgramTable(table.body);
    ASSERT_GE(rows.size(), 8);
    EXPECT_EQ(rows.first().hour + ':' + rows.first().minute, "05:00");
    int previous = -1;
    for (const ProgramRow& row : rows) {
        const int start = row.hour.toInt() * 60 + row.minute.toInt();
        EXPECT_GT(start, previous) << row.code.constData();
        EXPECT_LT(start, 29 * 60);
        EXPECT_TRUE(QRegularExpression("^\\d{7}$").match(QString::fromLatin1(row.code)).hasMatch());
        previous = start;
    }
    EXPECT_GE(rows.last().hour.toInt(), 24) << "programs after midnight carry hours 24 and above";
}

TEST(ServerFiles, EveryProgramHasACompleteInfoFileWithItsImages) {
    StationProcess station(kMorning);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QList<ProgramRow> rows =
        ProgramTable(station.Get(StationProcess::kWeb, "/time_table.asp").body);
    static const QByteArrayList kKeys{"[TITLE]",       "[LINK_1]",   "[LINK_2]", "[IMG_1]",
                                      "[IMG_2]",       "[VFM]",      "[AIR]",    "[SCROLL]",
                                      "[SCROLL_LINK]", "[CONTENTS]", "[END]"};
    int visual = 0;
    int multiLineScroll = 0;
    int bracketInContents = 0;
    for (const ProgramRow& row : rows) {
        SCOPED_TRACE(row.code.toStdString());
        const RawHttp::Response info =
            station.Get(StationProcess::kWeb, "/info/" + row.code + ".txt");
        ExpectServerText(info);
        qsizetype at = -1;
        for (const QByteArray& key : kKeys) {  // each key on a line of its own, in this order
            const qsizetype found = info.body.indexOf(key + "\r\n", at + 1);
            EXPECT_GT(found, at) << key.constData();
            EXPECT_TRUE(found == 0 || info.body.mid(found - 2, 2) == "\r\n") << key.constData();
            at = found;
        }
        EXPECT_FALSE(SectionValue(info.body, "[TITLE]").isEmpty());
        ExpectBitmap(station, SectionValue(info.body, "[IMG_1]"));
        const QByteArray scroll = SectionValue(info.body, "[SCROLL]", "\r\n[SCROLL_LINK]");
        const QByteArray contents = SectionValue(info.body, "[CONTENTS]", "\r\n[END]");
        EXPECT_FALSE(scroll.isEmpty());
        EXPECT_FALSE(contents.isEmpty());
        visual += QByteArray("Yy").contains(SectionFlag(info.body, "[VFM]")) ? 1 : 0;
        multiLineScroll += scroll.contains("\r\n") ? 1 : 0;
        bracketInContents += contents.contains("\r\n[") ? 1 : 0;
    }
    EXPECT_GT(visual, 0) << "some programs run on the visual channel";
    EXPECT_LT(visual, rows.size()) << "and some do not";
    EXPECT_GT(multiLineScroll, 0);
    EXPECT_GT(bracketInContents, 0);
}

TEST(ServerFiles, EventFileNamesBannerCharacterPageAndTimes) {
    StationProcess station(kMorning);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const RawHttp::Response event = station.Get(StationProcess::kWeb, "/info/event.txt");
    ExpectServerText(event);
    EXPECT_LT(event.body.indexOf("[LINK]\r\n"), event.body.indexOf("[IMG]\r\n"));
    EXPECT_LT(event.body.indexOf("[IMG]\r\n"), event.body.indexOf("[QUILO]\r\n"));
    const QByteArray times = SectionValue(event.body, "[QUILO_TIME]");
    EXPECT_TRUE(
        QRegularExpression("^-?\\d+,-?\\d+,-?\\d+$").match(QString::fromLatin1(times)).hasMatch())
        << times.constData();
    ExpectBitmap(station, SectionValue(event.body, "[IMG]"));

    // The character page takes the member ID as plain hex digits in "ni".
    const QByteArray page = SectionValue(event.body, "[QUILO]");
    const QByteArray main = station.Base(StationProcess::kMain).toLatin1();
    ASSERT_TRUE(page.startsWith(main));
    const RawHttp::Response greeting =
        station.Post(StationProcess::kMain, page.mid(main.size()),
                     "src=%61%70%70&ni=" + KoreanBytes("demo").toHex().toUpper() + "&ei=%41%42");
    ASSERT_EQ(greeting.status, 200);
    EXPECT_TRUE(Korean(greeting.body).contains("demo님"));
}

TEST(ServerFiles, TickerWindowFollowsTheClockOrTheOverride) {
    StationProcess station({"--clock-start", "2007-07-02T01:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    RawHttp::Response ticker = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    ExpectServerText(ticker);
    // 01:30 belongs to the broadcast day that began at 05:00 the day before.
    const qint64 now = 200707020130;
    EXPECT_LE(SectionValue(ticker.body, "[SCR_ST]").toLongLong(), now);
    EXPECT_GE(SectionValue(ticker.body, "[SCR_ET]").toLongLong(), now);
    EXPECT_FALSE(SectionValue(ticker.body, "[SCR_TXT]").isEmpty());
    EXPECT_FALSE(SectionValue(ticker.body, "[SCR_URL]").isEmpty())
        << "a key follows the last value";

    ASSERT_TRUE(station.Control("/_station/ticker?st=200707010900&et=200707010930"));
    ticker = station.Get(StationProcess::kWeb, "/info/scroll.txt");
    EXPECT_EQ(SectionValue(ticker.body, "[SCR_ST]"), "200707010900");
    EXPECT_EQ(SectionValue(ticker.body, "[SCR_ET]"), "200707010930");
}

TEST(ServerFiles, UpdateInfoAnnouncesTheVersionAndServesTheSetup) {
    StationProcess station(kMorning);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    RawHttp::Response info = station.Get(StationProcess::kWeb, "/info/setup_info.txt");
    ExpectServerText(info);
    EXPECT_EQ(SectionValue(info.body, "[VER]"), "2.01");
    EXPECT_EQ(SectionValue(info.body, "[MSG]", "\r\n[END]"), "") << "standard question";

    ASSERT_TRUE(station.Control("/_station/update?ver=2.10&msg=" +
                                QByteArray("새 버전입니다.\n[필수] 업데이트").toPercentEncoding()));
    info = station.Get(StationProcess::kWeb, "/info/setup_info.txt");
    EXPECT_EQ(SectionValue(info.body, "[VER]"), "2.10");
    EXPECT_EQ(Korean(SectionValue(info.body, "[MSG]", "\r\n[END]")),
              QString("새 버전입니다.\r\n[필수] 업데이트"));
    const QByteArray setup = SectionValue(info.body, "[URL]");
    const QByteArray web = station.Base(StationProcess::kWeb).toLatin1();
    ASSERT_TRUE(setup.startsWith(web));
    const RawHttp::Response program = station.Get(StationProcess::kWeb, setup.mid(web.size()));
    EXPECT_EQ(program.status, 200);
    EXPECT_FALSE(program.body.isEmpty());
}

TEST(ServerFiles, AReleaseFileGivenAtStartIsAnnouncedAndServedWhole) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("quilo_2.10_amd64.deb");
    QByteArray release(70000, '\0');
    for (int i = 0; i < release.size(); ++i) {
        release[i] = static_cast<char>(i * 7 + i / 256);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(release) == release.size());
    file.close();

    StationProcess station(kMorning + QStringList{"--update-file", path});
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const QByteArray web = station.Base(StationProcess::kWeb).toLatin1();
    const auto announced = [&] {
        const RawHttp::Response info = station.Get(StationProcess::kWeb, "/info/setup_info.txt");
        return SectionValue(info.body, "[URL]");
    };
    EXPECT_EQ(announced(), web + "/download/quilo_2.10_amd64.deb");
    const RawHttp::Response served =
        station.Get(StationProcess::kWeb, "/download/quilo_2.10_amd64.deb");
    EXPECT_EQ(served.status, 200);
    EXPECT_TRUE(served.body == release) << "every byte as in the file";
    EXPECT_EQ(station.Get(StationProcess::kWeb, "/download/QuiloSetup.exe").status, 200);

    // a control request may name another release; one without a name keeps the last
    ASSERT_TRUE(station.Control("/_station/update?ver=2.10&file=QuiloSetup.exe"));
    EXPECT_EQ(announced(), web + "/download/QuiloSetup.exe");
    ASSERT_TRUE(station.Control("/_station/update?ver=2.20"));
    EXPECT_EQ(announced(), web + "/download/QuiloSetup.exe");
    EXPECT_FALSE(station.Control("/_station/update?ver=2.20&file=../users.txt"));
    ASSERT_TRUE(station.Control("/_station/fault?name=clear"));
    EXPECT_EQ(announced(), web + "/download/quilo_2.10_amd64.deb");

    StationProcess without(kMorning + QStringList{"--update-file", folder.filePath("none.deb")});
    EXPECT_FALSE(without.IsReady()) << "a release file that cannot be read stops the station";
}

TEST(ServerFiles, PagesTheClientOpensExistOnTheirSites) {
    StationProcess station(kMorning);
    ASSERT_TRUE(station.IsReady()) << station.Failure().toStdString();
    const struct {
        StationProcess::Port port;
        QByteArray target;
    } pages[] = {
        {StationProcess::kWeb, "/"},
        {StationProcess::kWeb, "/empty.asp"},
        {StationProcess::kMain, "/Schedule/Schedule_List.asp?category=004"},
        {StationProcess::kMain, "/sso/ssoRegCheck.asp?siteType=ZELK"},
        {StationProcess::kSso, "/commonMember/id_find.jsp"},
    };
    for (const auto& page : pages) {
        const RawHttp::Response response = station.Get(page.port, page.target);
        EXPECT_EQ(response.status, 200) << page.target.constData();
        EXPECT_TRUE(response.Header("Content-Type").startsWith("text/html"));
        EXPECT_FALSE(response.Header("Date").isEmpty());
    }
    // The log-in's return page has no title, so a browser shows its address.
    EXPECT_FALSE(station.Get(StationProcess::kWeb, "/empty.asp").body.contains("<title>"));
    // Today's schedule marks the program on air at 09:00 (the one that began at 08:00).
    const QString schedule =
        Korean(station.Get(StationProcess::kMain, "/Schedule/Schedule_List.asp?category=004").body);
    EXPECT_TRUE(
        schedule.contains(QRegularExpression("08:00</td><td><a [^>]+>[^<]+</a> <b>\\[방송중\\]")));
    EXPECT_EQ(station.Get(StationProcess::kWeb, "/info/9999999.txt").status, 404);
}

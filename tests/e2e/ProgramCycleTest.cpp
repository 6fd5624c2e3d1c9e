// The program-table cycle in this process against a station of its own on its simulated clock:
// table, clock tick, info and event files, images, and what the main window is told.

#include "content/CProgramTableDlg.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>
#include <QTimeZone>

#include "StationProcess.h"
#include "content/Program.h"
#include "content/WorkFolder.h"
#include "platform/LogMessages.h"
#include "platform/MessageBox.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"

namespace {

constexpr int kTickWaitMs = 45000;

// What the main window would be told, in order, with the program code at that moment.
struct Heard {
    QString what;
    QString code;
    bool operator==(const Heard&) const = default;
};

class ProgramCycle : public ::testing::Test {
protected:
    void Start(const QStringList& stationOptions) {
        station_ = std::make_unique<StationProcess>(stationOptions);
        ASSERT_TRUE(station_->IsReady()) << station_->Failure();
        program_.config.webServer = station_->Base(StationProcess::kWeb);
        program_.webRequest = std::make_unique<CWebRequestDlg>(
            program_.log,
            WebAddresses{program_.config.webServer, station_->Base(StationProcess::kMain)},
            program_.login);
        SetMessageAnswerer([this](StringId id, const QString&) {
            messages_.push_back(id);
            return MessageAnswer::Ok;
        });
    }

    void MakeTable() {
        table_ = std::make_unique<CProgramTableDlg>(program_);
        CProgramTableDlg* table = table_.get();
        const auto record = [this](const char* what) {
            return [this, what] {
                heard_.push_back({QLatin1String(what), program_.player.OnAir().programCode});
            };
        };
        QObject::connect(&program_.player, &PlayerModel::programChanged, record("changed"));
        QObject::connect(&program_.player, &PlayerModel::linksChanged, record("links"));
        QObject::connect(&program_.player, &PlayerModel::programCleared, record("cleared"));
        QObject::connect(&program_.player, &PlayerModel::linksCleared, record("linksCleared"));
        QObject::connect(table, &CProgramTableDlg::scheduleFire, record("schedule"));
        QObject::connect(table, &CProgramTableDlg::tickerText,
                         [this](const QString& text, const QString&) {
                             heard_.push_back({QStringLiteral("ticker"), text});
                         });
    }

    void TearDown() override {
        table_.reset();
        program_.webRequest.reset();
        SetMessageAnswerer({});
    }

    qsizetype Count(const char* what) const {
        return std::count_if(heard_.begin(), heard_.end(),
                             [what](const Heard& h) { return h.what == QLatin1String(what); });
    }
    bool AwaitCount(const char* what, qsizetype count, int timeoutMs = 15000) {
        return Await([&] { return Count(what) >= count; }, timeoutMs);
    }
    qsizetype Logged(const char* line) const {
        return LoggedMessages(program_.log.FileName()).count(QLatin1String(line));
    }
    static QString Work(const char* name) {
        return GetWorkFolder() + QLatin1Char('/') + QLatin1String(name);
    }

    Program program_;
    std::unique_ptr<StationProcess> station_;
    std::unique_ptr<CProgramTableDlg> table_;
    std::vector<Heard> heard_;
    std::vector<StringId> messages_;
};

}  // namespace

TEST_F(ProgramCycle, TheFirstTickFetchesTheProgramThenTheTickerThenTheNextProgram) {
    // two simulated seconds per real one: the 30-second ticks land at 07:58, 07:59 and 08:00,
    // about twenty simulated seconds into each minute, since a 30-second timer may fire a
    // little early
    Start({"--clock-start", "2007-07-01T07:58:20", "--clock-rate", "2"});
    ASSERT_TRUE(station_->Control("/_station/ticker?st=200707010759&et=200707010759"));
    MakeTable();

    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_EQ(heard_, (std::vector<Heard>{{"changed", "0000102"}, {"links", "0000102"}}));
    EXPECT_FALSE(program_.player.OnAir().title.isEmpty());
    EXPECT_TRUE(
        program_.player.OnAir().link1.endsWith(QStringLiteral("/program/0000102/index.asp")));
    EXPECT_FALSE(program_.player.OnAir().eventImageUrl.isEmpty());
    for (const char* file :
         {"progtable", "0000102", "event", "0000102_1.bmp", "0000102_2.bmp", "event.bmp"}) {
        EXPECT_TRUE(QFile::exists(Work(file))) << file;
    }
    const QStringList log = LoggedMessages(program_.log.FileName());
    const QStringList expected = {LogText::kTryProgramTable,
                                  LogText::kProgramTableDone,
                                  LogText::kTryTime,
                                  LogText::kTimeDone,
                                  "TRY to download the program info file: 0000102.",
                                  LogText::kTryEventFile,
                                  LogText::kProgramInfoDone,
                                  LogText::kTryImage1,
                                  LogText::kImage1Done,
                                  LogText::kTryImage2,
                                  LogText::kImage3Ignored,
                                  LogText::kImage2Done};
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(log.mid(log.size() - expected.size()), expected);

    // 07:59: the program stays, and the ticker's one-minute window is open
    ASSERT_TRUE(AwaitCount("ticker", 1, kTickWaitMs));
    EXPECT_FALSE(heard_.back().code.isEmpty())
        << "the ticker file's text; station: "
        << station_->Get(StationProcess::kControl, "/_station/status").body.toStdString();
    EXPECT_EQ(Count("changed"), 1);

    // 08:00: the next program, fetched without a ticker on that tick
    ASSERT_TRUE(AwaitCount("links", 2, kTickWaitMs));
    EXPECT_EQ(heard_.size(), 5U);
    EXPECT_EQ(heard_[3], (Heard{"changed", "0000103"}));
    EXPECT_TRUE(QFile::exists(Work("0000103_1.bmp")));
}

TEST_F(ProgramCycle, FiveOClockStartsTheCycleOverUntilTheDayHasBegun) {
    Start({"--clock-start", "2007-07-01T05:00:00", "--clock-rate", "0"});
    MakeTable();
    ASSERT_TRUE(Await([&] { return Logged(LogText::kTryProgramTable) >= 3; }));
    EXPECT_EQ(Count("changed"), 0) << "no program while the day turns";
    EXPECT_EQ(program_.player.OnAir().programCode, QStringLiteral("order"));

    ASSERT_TRUE(station_->Control("/_station/clock?set=2007-07-01T05:01:00"));
    ASSERT_TRUE(AwaitCount("changed", 1));
    EXPECT_EQ(program_.player.OnAir().programCode, QStringLiteral("0000101"));
    EXPECT_TRUE(messages_.empty());
}

TEST_F(ProgramCycle, TheServersClockDecidesTheProgramAndTheScheduleFiresOncePerReading) {
    // years away from the machine's clock, and at an hour whose program is another one than the
    // machine's own hour would give
    const int machineHour = QDateTime::currentDateTimeUtc().addSecs(9 * 3600).time().hour();
    const bool machineInMorning = machineHour >= 6 && machineHour < 8;
    const int hour = machineInMorning ? 13 : 7;
    const QString code = machineInMorning ? QStringLiteral("0000105") : QStringLiteral("0000102");
    Start({"--clock-start", QStringLiteral("2031-03-15T%1:30:00").arg(hour, 2, 10, QChar(u'0')),
           "--clock-rate", "0"});
    program_.scheduleOption = true;
    program_.schedule.fill(0xFF);
    // two entries of the station's minute and a disabled one: one playback per reading
    const auto due = static_cast<uint8_t>(0x80 + hour);
    program_.schedule = {due,  30,   0x07, 30,   due,  30,   0xFF, 0xFF, 0xFF,
                         0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    MakeTable();
    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_EQ(heard_.front(), (Heard{"schedule", ""})) << "before the program is chosen";
    EXPECT_EQ(program_.player.OnAir().programCode, code);

    // a restart reads the clock again at once
    table_->RefreshProgram();
    ASSERT_TRUE(AwaitCount("links", 2));
    EXPECT_EQ(Count("schedule"), 2);
    EXPECT_EQ(Logged(LogText::kTimeDone), 2);

    program_.scheduleOption = false;
    table_->RefreshProgram();
    ASSERT_TRUE(AwaitCount("links", 3));
    EXPECT_EQ(Count("schedule"), 2) << "switched off";
}

TEST_F(ProgramCycle, ARefusedSiteClearsTheViewOnceAndTheCycleWaitsForARefresh) {
    Start({"--clock-start", "2007-07-01T12:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station_->Control("/_station/fault?name=refuse&site=web"));
    MakeTable();
    ASSERT_TRUE(Await([&] { return !messages_.empty(); }));
    EXPECT_EQ(messages_, std::vector<StringId>{StringId::kProgramInfoFailed});
    EXPECT_EQ(heard_, (std::vector<Heard>{{"cleared", ""}, {"linksCleared", ""}}));
    EXPECT_EQ(Logged(LogText::kTryProgramTable), 3);
    EXPECT_EQ(Logged(LogText::kProgramTableFailed), 3);
    // idle: no clock tick and no further attempt, however long one waits
    EXPECT_FALSE(Await([&] { return Logged(LogText::kTryProgramTable) > 3; }, 1500));
    EXPECT_EQ(Logged(LogText::kTryTime), 0);

    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    table_->RefreshProgram();
    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_EQ(program_.player.OnAir().programCode, QStringLiteral("0000105"));
    EXPECT_EQ(messages_.size(), 1U);
}

TEST_F(ProgramCycle, AClockThatCannotBeReadClearsTheViewAndIsAskedAgainSoon) {
    Start({"--clock-start", "2007-07-01T12:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station_->Control("/_station/fault?name=no-date"));
    MakeTable();
    ASSERT_TRUE(AwaitCount("linksCleared", 1));
    EXPECT_EQ(heard_, (std::vector<Heard>{{"cleared", "timefail"}, {"linksCleared", "timefail"}}));
    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    // the retry comes after the short pause, well before a whole tick, and finds the program as
    // a new one
    static_assert(CProgramTableDlg::kRetryTickMs < CProgramTableDlg::kTickMs / 2);
    ASSERT_TRUE(AwaitCount("links", 1, CProgramTableDlg::kTickMs * 3 / 4));
    EXPECT_EQ(program_.player.OnAir().programCode, QStringLiteral("0000105"));
}

TEST_F(ProgramCycle, AGarbledTableShowsNoProgramAndTheNextRestartRecovers) {
    Start({"--clock-start", "2007-07-01T12:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station_->Control("/_station/fault?name=garble"));
    MakeTable();
    // no record survives: the table is empty, so each tick only hands over the (empty) ticker
    ASSERT_TRUE(AwaitCount("ticker", 1));
    EXPECT_EQ(Count("changed"), 0);
    EXPECT_TRUE(program_.player.OnAir().title.isEmpty());
    EXPECT_EQ(heard_.back(), (Heard{"ticker", ""}));
    EXPECT_TRUE(messages_.empty());

    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    table_->RefreshProgram();
    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_FALSE(program_.player.OnAir().title.isEmpty());
}

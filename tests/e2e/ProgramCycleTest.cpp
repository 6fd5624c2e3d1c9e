// The program-table cycle in this process against a station of its own on its simulated clock:
// table, clock tick, info and event files, images, and what the main window is told.

#include "content/CProgramTableDlg.h"

#include <gtest/gtest.h>

#include <QFile>

#include "FaceRun.h"
#include "content/WorkFolder.h"
#include "platform/LogMessages.h"
#include "support/Await.h"
#include "support/LogReading.h"

namespace {

constexpr int kTickWaitMs = 45000;

// What the main window would be told, in order, with the program code at that moment.
struct Heard {
    QString what;
    QString code;
    bool operator==(const Heard&) const = default;
};

class ProgramCycle : public FaceRun {
protected:
    void MakeTable() {
        table_ = std::make_unique<CProgramTableDlg>(program_);
        const auto record = [this](const char* what) {
            return [this, what] {
                heard_.push_back({QLatin1String(what), program_.player.OnAir().programCode});
            };
        };
        QObject::connect(&program_.player, &PlayerModel::programChanged, record("changed"));
        QObject::connect(&program_.player, &PlayerModel::linksChanged, record("links"));
        QObject::connect(&program_.player, &PlayerModel::programCleared, record("cleared"));
        QObject::connect(&program_.player, &PlayerModel::linksCleared, record("linksCleared"));
        QObject::connect(table_.get(), &CProgramTableDlg::scheduleFire, record("schedule"));
        QObject::connect(table_.get(), &CProgramTableDlg::tickerText,
                         [this](const QString& text, const QString&) {
                             heard_.push_back({"ticker", text});
                         });
    }

    void TearDown() override {
        table_.reset();
        FaceRun::TearDown();
    }

    qsizetype Count(const char* what) const {
        return std::count_if(heard_.begin(), heard_.end(),
                             [what](const Heard& h) { return h.what == QLatin1String(what); });
    }
    bool AwaitCount(const char* what, qsizetype count, int timeoutMs = 15000) {
        return Await([&] { return Count(what) >= count; }, timeoutMs);
    }

    std::unique_ptr<CProgramTableDlg> table_;
    std::vector<Heard> heard_;
};

}  // namespace

TEST_F(ProgramCycle, TheFirstTickFetchesTheProgramThenTheTickerThenTheNextProgram) {
    // two simulated seconds per real one: the 30-second ticks land at 07:58, 07:59 and 08:00,
    // about twenty simulated seconds into each minute, since a 30-second timer may fire a
    // little early
    StartStation({"--clock-start", "2007-07-01T07:58:20", "--clock-rate", "2"});
    ASSERT_TRUE(station_->Control("/_station/ticker?st=200707010759&et=200707010759"));
    MakeTable();

    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_EQ(heard_, (std::vector<Heard>{{"changed", "0000102"}, {"links", "0000102"}}));
    EXPECT_FALSE(program_.player.OnAir().title.isEmpty());
    EXPECT_TRUE(program_.player.OnAir().link1.endsWith("/program/0000102/index.asp"));
    EXPECT_FALSE(program_.player.OnAir().eventImageUrl.isEmpty());
    for (const char* file :
         {"progtable", "0000102", "event", "0000102_1.bmp", "0000102_2.bmp", "event.bmp"}) {
        EXPECT_TRUE(QFile::exists(GetWorkFolder() + u'/' + file)) << file;
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
    EXPECT_TRUE(QFile::exists(GetWorkFolder() + "/0000103_1.bmp"));
}

TEST_F(ProgramCycle, FiveOClockStartsTheCycleOverUntilTheDayHasBegun) {
    StartStation({"--clock-start", "2007-07-01T05:00:00", "--clock-rate", "0"});
    MakeTable();
    ASSERT_TRUE(Await([&] { return Logged(LogText::kTryProgramTable) >= 3; }));
    EXPECT_EQ(Count("changed"), 0) << "no program while the day turns";
    EXPECT_EQ(program_.player.OnAir().programCode, "order");

    ASSERT_TRUE(station_->Control("/_station/clock?set=2007-07-01T05:01:00"));
    ASSERT_TRUE(AwaitCount("changed", 1));
    EXPECT_EQ(program_.player.OnAir().programCode, "0000101");
    EXPECT_TRUE(shown_.empty());
}

TEST_F(ProgramCycle, ARefusedSiteClearsTheViewOnceAndTheCycleWaitsForARefresh) {
    StartStation({"--clock-start", "2007-07-01T12:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station_->Control("/_station/fault?name=refuse&site=web"));
    MakeTable();
    ASSERT_TRUE(Await([&] { return !shown_.empty(); }));
    EXPECT_EQ(shown_, std::vector<StringId>{StringId::kProgramInfoFailed});
    EXPECT_EQ(heard_, (std::vector<Heard>{{"cleared", ""}, {"linksCleared", ""}}));
    EXPECT_EQ(Logged(LogText::kTryProgramTable), 3);
    EXPECT_EQ(Logged(LogText::kProgramTableFailed), 3);
    // idle: no clock tick and no further attempt, however long one waits
    EXPECT_FALSE(Await([&] { return Logged(LogText::kTryProgramTable) > 3; }, 1500));
    EXPECT_EQ(Logged(LogText::kTryTime), 0);

    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    table_->RefreshProgram();
    ASSERT_TRUE(AwaitCount("links", 1));
    EXPECT_EQ(program_.player.OnAir().programCode, "0000105");
    EXPECT_EQ(shown_.size(), 1U);
}

TEST_F(ProgramCycle, AClockThatCannotBeReadClearsTheViewAndIsAskedAgainSoon) {
    StartStation({"--clock-start", "2007-07-01T12:30:00", "--clock-rate", "0"});
    ASSERT_TRUE(station_->Control("/_station/fault?name=no-date"));
    MakeTable();
    ASSERT_TRUE(AwaitCount("linksCleared", 1));
    EXPECT_EQ(heard_, (std::vector<Heard>{{"cleared", "timefail"}, {"linksCleared", "timefail"}}));
    ASSERT_TRUE(station_->Control("/_station/fault?name=clear"));
    // the retry comes after the short pause, well before a whole tick, and finds the program as
    // a new one
    static_assert(CProgramTableDlg::kRetryTickMs < CProgramTableDlg::kTickMs / 2);
    ASSERT_TRUE(AwaitCount("links", 1, CProgramTableDlg::kTickMs * 3 / 4));
    EXPECT_EQ(program_.player.OnAir().programCode, "0000105");
}

// Pausing the live radio against the station, heard through a private sound server. The
// station's tone changes while the listener is paused: when the change is heard tells how far
// behind live the listener plays.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>

#include "FaceRun.h"
#include "player/LiveHold.h"
#include "support/Await.h"
#include "support/FaceParts.h"
#include "windows/BehindLiveBadge.h"
#include "windows/CMainDlg.h"
#include "windows/PlayerActions.h"

namespace {

constexpr double kMarkHz = 1500;
constexpr qint64 kPauseMs = 20000;

class LivePause : public FaceRun {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start()); }

    bool StationTone(double hz) const {
        return station_->Control("/_station/fault?name=tone&stream=fm&hz=" +
                                 QByteArray::number(hz));
    }
    static bool Heard(double level) { return level > 0.2; }
    static bool Silent(double level) { return level < 0.001; }
};

}  // namespace

TEST_F(LivePause, PlayGoesOnFromThePauseBehindLiveAndBackToLiveCatchesUp) {
    Run([&](CMainDlg& window) {
        PlayerActions& actions = window.Actions();
        const PlayerModel& model = program_.player;
        ASSERT_TRUE(AwaitLevel(Heard));
        const BehindLiveBadge& badge = FaceParts::Only<BehindLiveBadge>(window);
        EXPECT_FALSE(badge.isVisible());
        EXPECT_FALSE(actions.backToLive.isEnabled());

        actions.pause.trigger();
        EXPECT_TRUE(AwaitLevel(Silent));
        EXPECT_TRUE(model.IsPaused());
        EXPECT_TRUE(actions.backToLive.isEnabled());
        // what is held has no name another user, or a later run, could open
        EXPECT_TRUE(QDir(LiveHold::Folder()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot));
        EXPECT_EQ(QFileInfo(LiveHold::Folder()).permissions() & 0x0077, 0);
        ASSERT_TRUE(Await([&] { return model.BehindLiveMs() >= kPauseMs; }, kPauseMs + 5000));
        EXPECT_TRUE(badge.isVisible()) << "the face shows how far behind live";

        // from here on the station sends the mark; the listener still has the pause to hear
        ASSERT_TRUE(StationTone(kMarkHz));
        actions.play.trigger();
        QElapsedTimer sincePlay;
        sincePlay.start();
        ASSERT_TRUE(AwaitLevel(Heard));
        EXPECT_LT(sink_.RecentLevel(kMarkHz), 0.01) << "what was held plays first";
        ASSERT_TRUE(AwaitLevel(Heard, kMarkHz));
        EXPECT_GT(sincePlay.elapsed(), kPauseMs - 3000);
        EXPECT_LT(sincePlay.elapsed(), kPauseMs + 5000);
        EXPECT_GE(model.BehindLiveMs(), kPauseMs);
        EXPECT_FALSE(model.IsPaused());

        // back to live: the station's tone now, not the mark still held
        ASSERT_TRUE(StationTone(kFmToneHz));
        actions.backToLive.trigger();
        QElapsedTimer sinceBack;
        sinceBack.start();
        ASSERT_TRUE(AwaitLevel(Heard));
        EXPECT_LT(sinceBack.elapsed(), kPauseMs - 3000);
        EXPECT_EQ(model.BehindLiveMs(), 0);
        EXPECT_FALSE(badge.isVisible());
        EXPECT_FALSE(actions.backToLive.isEnabled());
    });
}

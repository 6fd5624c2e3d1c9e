#include "player/CViewerDlg.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QUrl>

#include "content/Program.h"
#include "support/Await.h"
#include "support/LogReading.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double kToneHz = 880;
constexpr int kSecond = 1000;

class Viewer : public ::testing::Test {
protected:
    void SetUp() override {
        program_.config.vlcArgs = {
            u"--aout=afile"_s,
            u"--audiofile-file="_s + TestEnvironment::WorkDir() + u"/heard.wav"_s,
            u"--audiofile-channels=1"_s};
        viewer_ = std::make_unique<CViewerDlg>(program_.log, program_.skin, program_.config.vlcArgs,
                                               &owner_);
        ASSERT_TRUE(viewer_->Create());
        ASSERT_TRUE(viewer_->IsCreated());
    }

    QString Tone(double seconds) {
        const QString path = TestEnvironment::WorkDir() + u"/tone.wav"_s;
        EXPECT_TRUE(ToneAnalysis::WriteToneWav(path, kToneHz, seconds, 0.5));
        return QUrl::fromLocalFile(path).toString();
    }

    Program program_;
    QWidget owner_;
    std::unique_ptr<CViewerDlg> viewer_;
};

}  // namespace

TEST_F(Viewer, MuteSurvivesVolumeChangesAndStreamSwitchesButNotAPlainPlay) {
    viewer_->SetMute(true);
    viewer_->SetVolume(80);
    EXPECT_TRUE(viewer_->IsMuted());
    EXPECT_TRUE(viewer_->Engine()->IsMuted());

    viewer_->Play(Tone(30), true);  // switching streams keeps the mute
    ASSERT_TRUE(Await([&] { return viewer_->IsPlaying(); }, 10 * kSecond));
    EXPECT_TRUE(viewer_->IsMuted());
    EXPECT_TRUE(viewer_->Engine()->IsMuted());

    viewer_->Stop();
    viewer_->Play(Tone(30), false);  // a plain play unmutes
    EXPECT_FALSE(viewer_->IsMuted());
    EXPECT_FALSE(viewer_->Engine()->IsMuted());
    EXPECT_EQ(viewer_->GetVolume(), 80) << "the volume is kept across streams";
}

TEST_F(Viewer, AStreamThatCannotBeOpenedStopsAndTellsTheOwner) {
    QSignalSpy failed(viewer_.get(), &CViewerDlg::playbackFailed);
    viewer_->Show(10, 10);
    viewer_->Play(u"mms://127.0.0.1:9/L-FM_300k"_s, false);
    ASSERT_TRUE(Await([&] { return !failed.isEmpty(); }, 15 * kSecond));
    EXPECT_EQ(failed.size(), 1);
    EXPECT_TRUE(viewer_->IsCreated());
    EXPECT_FALSE(viewer_->IsPlayRequested() || viewer_->IsShown() || viewer_->isVisible());
    EXPECT_EQ(LoggedMessages(program_.log.FileName()).mid(4),
              (QStringList{u"TRY to stop."_s, u"SUXES to stop."_s}));
}

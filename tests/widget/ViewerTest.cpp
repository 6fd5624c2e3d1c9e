#include "player/CViewerDlg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QUrl>

#include "WidgetTestKit.h"
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
        viewer_ = MakeViewer();
        ASSERT_TRUE(viewer_->Create());
        ASSERT_TRUE(viewer_->IsCreated());
    }

    std::unique_ptr<CViewerDlg> MakeViewer() {
        return std::make_unique<CViewerDlg>(program_.log, program_.skin, program_.config.vlcArgs,
                                            &owner_);
    }

    static QString FileUrl(const QString& path) { return QUrl::fromLocalFile(path).toString(); }

    QString Tone(double seconds) {
        const QString path = TestEnvironment::WorkDir() + u"/tone.wav"_s;
        EXPECT_TRUE(ToneAnalysis::WriteToneWav(path, kToneHz, seconds, 0.5));
        return FileUrl(path);
    }

    QStringList LogMessages() const { return LoggedMessages(program_.log.FileName()); }

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
    EXPECT_FALSE(viewer_->IsPlayRequested() || viewer_->IsShown());
    EXPECT_FALSE(viewer_->isVisible());
    EXPECT_EQ(LogMessages().mid(4), (QStringList{u"TRY to stop."_s, u"SUXES to stop."_s}));
}

TEST_F(Viewer, WithoutASkinBackgroundTheViewerTakesTheVideosOwnSize) {
    const QString picture = TestEnvironment::WorkDir() + u"/frame.png"_s;
    ASSERT_TRUE(WidgetTestKit::Filled({200, 150}, Qt::darkGreen).save(picture));
    program_.config.vlcArgs << u"--image-duration=-1"_s;
    viewer_ = MakeViewer();
    ASSERT_TRUE(viewer_->Create());

    viewer_->Play(FileUrl(picture), false);
    ASSERT_TRUE(Await([&] { return !viewer_->Engine()->VideoSize().isEmpty(); }, 10 * kSecond));
    viewer_->Show(50, 60);
    EXPECT_EQ(viewer_->size(), QSize(200, 150));
    EXPECT_EQ(viewer_->pos(), QPoint(50, 60));
}

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QTest>

#include "FaceRun.h"
#include "content/CProgramTableDlg.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/VideoFrameView.h"
#include "skin/CSkinButton.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "support/Await.h"
#include "support/DesktopShot.h"
#include "support/FaceParts.h"
#include "support/LogReading.h"
#include "support/OnAir.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "windows/CMainDlg.h"
#include "windows/PlayerActions.h"
#include "windows/TickerRule.h"

namespace {

constexpr int kStreamWaitMs = 30000;

class MainWindowPlayback : public FaceRun {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(Start({}, false)); }
};

// The station's clock a little before 08:00, when the next program begins.
class SleepTimerRun : public FaceRun {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Start({"--clock-start", "2007-07-01T07:59:20"}));
    }
};

bool Playing(CMainDlg& window) {
    return Await([&] { return FaceParts::Only<CViewerDlg>(window).IsPlaying(); }, kStreamWaitMs);
}

}  // namespace

TEST_F(MainWindowPlayback, SeeingRadioShowsTheVideoUnderTheWindowOnceItPlays) {
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(Playing(window));
        ReadOnAir(program_.player, [&](AppState& onAir) { onAir.hasVfm = true; });
        ASSERT_TRUE(
            Await([&] { return FaceParts::Button(window, FaceButton::View)->isVisible(); }));
        QTest::mouseClick(FaceParts::Button(window, FaceButton::View), Qt::LeftButton, {},
                          QPoint(2, 2));
        // the viewer waits at least one look at the player before it opens
        ASSERT_TRUE(Await([&] {
            return FaceParts::Only<CTickerCtrl>(window).GetLastItem() ==
                   StringTable::Load(StringId::kConnecting);
        }));
        EXPECT_FALSE(FaceParts::Only<CViewerDlg>(window).isVisible())
            << "not before the video plays";
        ASSERT_TRUE(
            Await([&] { return FaceParts::Only<CViewerDlg>(window).isVisible(); }, kStreamWaitMs));
        if (WindowsPlaceThemselves()) {
            const QRect face = window.frameGeometry();
            EXPECT_EQ(FaceParts::Only<CViewerDlg>(window).pos(),
                      QPoint(face.left(), face.bottom() + 1));
        }
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.2; }, kVfmToneHz))
            << "the visual channel's sound";

        // the picture in the video area changes: the station's clock is running. The viewer
        // is found on the desktop by its frame, which is all of it but the video.
        CViewerDlg& viewer = FaceParts::Only<CViewerDlg>(window);
        QImage frameOnly(viewer.size(), QImage::Format_RGB32);
        frameOnly.fill(Qt::black);
        const QRect videoArea = FaceParts::Only<VideoFrameView>(viewer).geometry();
        QPainter(&frameOnly).fillRect(videoArea, QColor::fromRgb(kSkinColorKey));
        const auto video = [&] {
            const QImage shot = DesktopShot::Take();
            const std::optional<QPoint> at =
                DesktopShot::Find(shot, viewer.grab().toImage(), frameOnly, kSkinColorKey);
            return at ? shot.copy(videoArea.translated(*at)) : QImage();
        };
        const QImage first = video();
        ASSERT_FALSE(first.isNull()) << "the viewer is on the desktop";
        EXPECT_TRUE(Await([&] { return video() != first; }, 10000));

        // back to the audio channel
        QTest::mouseClick(FaceParts::Button(window, FaceButton::View), Qt::LeftButton, {},
                          QPoint(2, 2));
        ASSERT_TRUE(Await([&] { return !FaceParts::Only<CViewerDlg>(window).isVisible(); }));
        ASSERT_TRUE(Playing(window));
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
    });
}

TEST_F(MainWindowPlayback, AComputerWithoutSoundIsToldOnceAndTheStreamGoesOn) {
    // nothing answers as a sound server, and ALSA knows no device
    const QByteArray work = QFile::encodeName(TestEnvironment::WorkDir());
    qputenv("PULSE_SERVER", "unix:" + work + "/no-such-server");
    QFile(QString::fromLocal8Bit(work + "/alsa.conf")).open(QIODevice::WriteOnly);
    qputenv("ALSA_CONFIG_PATH", work + "/alsa.conf");
    program_.config.vlcArgs.clear();
    const QString notice = StringTable::Load(StringId::kNoSoundOutput);
    const auto told = [&] {
        return LoggedMessages(program_.log.FileName()).count("FAIL to play the sound: NOOUTPUT.");
    };
    Run([&](CMainDlg& window) {
        // what the ticker was given; the cleared program view (no web server here) may follow
        QStringList tickerTexts;
        QObject::connect(&FaceParts::Only<TickerRule>(window), &TickerRule::changed,
                         [&](const QString& text) { tickerTexts << text; });
        ASSERT_TRUE(Playing(window)) << "the stream plays all the same";
        ASSERT_TRUE(Await([&] { return told() == 1; }))
            << LoggedMessages(program_.log.FileName()).join(u'|').toStdString();
        EXPECT_EQ(tickerTexts.count(notice), 1);

        window.Actions().stop.trigger();
        ASSERT_TRUE(Await([&] { return !FaceParts::Only<CViewerDlg>(window).IsPlayRequested(); }));
        window.Actions().play.trigger();
        ASSERT_TRUE(Playing(window));
        EXPECT_FALSE(Await([&] { return told() > 1; }, 3000)) << "said once, not at every start";
    });
}

TEST_F(SleepTimerRun, AtTheProgramsEndTheSoundFadesAndStopsAndCancellingGivesItBackAtOnce) {
    const uint32_t savedVolume = program_.prefs.GetVolume();
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
        ASSERT_TRUE(Await([&] {
            return FaceParts::Only<CProgramTableDlg>(window).MsToProgramEnd().has_value();
        }));
        // the fade is under way: quieter, not silent; "Off" gives the sound back whole
        window.Actions().sleepAtProgramEnd.trigger();
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.1 && level > 0.003; }));
        window.Actions().sleepOff.trigger();
        EXPECT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));

        window.Actions().sleepAtProgramEnd.trigger();
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.1 && level > 0.003; }));
        EXPECT_TRUE(AwaitLevel([](double level) { return level < 0.001; }, kFmToneHz));
        EXPECT_TRUE(Await([&] { return !program_.player.IsPlaying(); }));
        EXPECT_TRUE(window.Actions().sleepOff.isChecked());
        EXPECT_EQ(FaceParts::Only<CViewerDlg>(window).GetVolume(), program_.player.Volume())
            << "the next Play is heard at the listener's volume";
    });
    EXPECT_EQ(program_.prefs.GetVolume(), savedVolume);
}

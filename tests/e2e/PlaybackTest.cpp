#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/Await.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"

namespace {

// the station's audio channel is a steady 1000 Hz tone, its visual channel's sound 660 Hz
constexpr double kFmToneHz = 1000;
constexpr double kVfmToneHz = 660;

}  // namespace

TEST(Playback, TheAudioChannelOfTheStationIsHeardAndTheCloseSavesTheSettings) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    const QString heard = TestEnvironment::Root() + QStringLiteral("/heard.wav");
    QuiloRun::Install();
    QuiloRun::WriteConfig(station.Host(), heard);
    QuiloRun::SaveAutomaticLogIn();
    CPrefStore().SetVolume(0);

    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(QuiloRun::WaitForLogLine(QStringLiteral("SUXES to play.")));
    ToneAnalysis::Sound sound;
    ASSERT_TRUE(Await(
        [&] {
            sound = ToneAnalysis::ReadWav(heard);
            return sound.sampleRate > 0 &&
                   sound.samples.size() >= static_cast<size_t>(sound.sampleRate) * 3;
        },
        30000))
        << "three seconds of the stream were decoded";
    const size_t second = static_cast<size_t>(sound.sampleRate);
    const double fm =
        ToneAnalysis::ToneAmplitude(sound, kFmToneHz, sound.samples.size() - second, second);
    const double vfm =
        ToneAnalysis::ToneAmplitude(sound, kVfmToneHz, sound.samples.size() - second, second);
    EXPECT_GT(fm, 0.05) << "the audio channel's tone";
    EXPECT_LT(vfm, fm / 10) << "not the visual channel";

    ASSERT_TRUE(quilo.Terminate());
    const QStringList messages = QuiloRun::LogMessages(QuiloRun::LogFiles().last());
    EXPECT_EQ(messages.mid(0, 3),
              (QStringList{QStringLiteral("*** Start the QUILO2 ***"),
                           QStringLiteral("TRY to play."), QStringLiteral("SUXES to play.")}));
    EXPECT_EQ(messages.mid(messages.size() - 3),
              (QStringList{QStringLiteral("TRY to stop."), QStringLiteral("SUXES to stop."),
                           QStringLiteral("*** Close the QUILO2 ***")}));
    const CPrefStore prefs;
    EXPECT_EQ(prefs.GetVolume(), 20u) << "a saved volume of 0 started at 20";
    EXPECT_EQ(prefs.GetPosX(), 300u);
    EXPECT_TRUE(prefs.GetPosY());
    EXPECT_FALSE(prefs.GetOptionMini());
    EXPECT_EQ(prefs.GetSkin(), QStringLiteral("Quilo2"));
}

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/Await.h"
#include "support/QtPrinting.h"
#include "support/ToneAnalysis.h"

namespace {

// the station's audio channel is a steady 1000 Hz tone, its visual channel's sound 660 Hz
constexpr double kFmToneHz = 1000;
constexpr double kVfmToneHz = 660;

}  // namespace

TEST(Playback, TheAudioChannelOfTheStationIsHeardAndTheCloseSavesTheSettings) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    const QString heard = QuiloRun::HeardWav();
    CPrefStore().SetVolume(0);
    // the log-in dialog opens at the player's last place, and the player where the log-in stood
    CPrefStore().SetPosX(300);
    CPrefStore().SetPosY(200);

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
    const qsizetype loggedIn = messages.indexOf(QStringLiteral("SUXES to log-in."));
    ASSERT_GT(loggedIn, 0);
    EXPECT_EQ(messages.first(), QStringLiteral("*** Start the QUILO2 ***"));
    // the player's lines, among those of the program table's fetching
    QStringList played = messages.mid(loggedIn + 1);
    played.removeIf([](const QString& line) { return !line.endsWith(QStringLiteral("play.")); });
    EXPECT_EQ(played.mid(0, 2),
              (QStringList{QStringLiteral("TRY to play."), QStringLiteral("SUXES to play.")}))
        << "playing starts right after the log-in";
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

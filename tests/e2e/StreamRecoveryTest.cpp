#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <iostream>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"

namespace {

// the station's audio channel is a steady 1000 Hz tone
constexpr double kFmToneHz = 1000;
constexpr int kWaitMs = 60000;

int PlayAttempts() {
    const QStringList files = QuiloRun::LogFiles();
    return files.isEmpty()
               ? 0
               : static_cast<int>(
                     QuiloRun::LogMessages(files.last()).count(QStringLiteral("TRY to play.")));
}

// True once the last second decoded carries the tone.
bool ToneInLastSecond(const QString& heardWav) {
    const ToneAnalysis::Sound sound = ToneAnalysis::ReadWav(heardWav);
    const size_t second = static_cast<size_t>(sound.sampleRate);
    return second > 0 && sound.samples.size() >= 2 * second &&
           ToneAnalysis::ToneAmplitude(sound, kFmToneHz, sound.samples.size() - second, second) >
               0.05;
}

}  // namespace

TEST(StreamRecovery, WhenTheStreamServerStopsAndComesBackTheSoundComesBack) {
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    const QString heard = TestEnvironment::Root() + QStringLiteral("/heard.wav");
    QuiloRun::Install();
    QuiloRun::WriteConfig(station.Host(), heard);
    QuiloRun::SaveAutomaticLogIn();

    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(QuiloRun::WaitUntil([&] { return ToneInLastSecond(heard); }, kWaitMs))
        << "the stream plays";
    ASSERT_EQ(PlayAttempts(), 1);

    // the server goes away while the listener listens; the program notices and tries again, and
    // goes on trying while the server is away
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-stop&stream=fm"));
    ASSERT_TRUE(QuiloRun::WaitUntil([] { return PlayAttempts() >= 3; }, kWaitMs))
        << QuiloRun::LogMessages(QuiloRun::LogFiles().last()).join(u'\n');
    EXPECT_TRUE(quilo.IsRunning());

    // what is decoded from here on must come from the stream once it is back
    QFile::remove(heard);
    const int attemptsWhileAway = PlayAttempts();
    ASSERT_TRUE(station.Control("/_station/fault?name=stream-start&stream=fm"));
    QElapsedTimer sinceBack;
    sinceBack.start();
    ASSERT_TRUE(QuiloRun::WaitUntil([&] { return ToneInLastSecond(heard); }, kWaitMs))
        << "the sound is back";
    std::cout << "sound back " << sinceBack.elapsed() << " ms after the stream server ("
              << attemptsWhileAway - 1 << " attempts while it was away)" << std::endl;
    EXPECT_GT(PlayAttempts(), 1);

    ASSERT_TRUE(quilo.Terminate());
    const QStringList messages = QuiloRun::LogMessages(QuiloRun::LogFiles().last());
    EXPECT_EQ(messages.mid(messages.size() - 3),
              (QStringList{QStringLiteral("TRY to stop."), QStringLiteral("SUXES to stop."),
                           QStringLiteral("*** Close the QUILO2 ***")}));
}

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <random>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "support/QtPrinting.h"
#include "support/ToneAnalysis.h"

namespace {

// the station's audio channel is a steady 1000 Hz tone
constexpr double kFmToneHz = 1000;
constexpr int kWaitMs = 60000;

// Lets the station stay as it is for `ms`: the length of an outage, or of the sound between two.
void Hold(int ms) {
    QElapsedTimer held;
    held.start();
    Await([&] { return held.elapsed() >= ms; }, ms + 1000);
}

int QuiloProcesses() {
    QProcess pgrep;
    pgrep.start("pgrep", {"-c", "-f", "^" + QuiloRun::ProgramFolder() + "/quilo"});
    pgrep.waitForFinished();
    return pgrep.readAllStandardOutput().trimmed().toInt();
}

// The most streams the log shows open at once: every "TRY to play." after the first needs the
// stream before it stopped.
int MostStreamsAtOnce(const QStringList& messages) {
    int open = 0;
    int most = 0;
    for (const QString& message : messages) {
        if (message == QLatin1String("TRY to play.")) {
            most = std::max(most, ++open);
        } else if (message == QLatin1String("TRY to stop.")) {
            open = std::max(0, open - 1);
        }
    }
    return most;
}

}  // namespace

// A stream server that comes and goes twenty times: each time it is back the listener hears it
// again, without a message box, with one program playing one stream, and a
// log that grows by a few lines per outage.
TEST(StreamRecovery, AStreamThatComesAndGoesIsHeardAgainEachTimeItComesBack) {
    constexpr int kDrops = 20;
    // the attempts one outage can take (pauses of 1, 2, 4 and 8 s cover an outage and the time
    // to sound) at five lines each, with the start's and the clock's lines besides
    constexpr int kMostLogLines = 150 + kDrops * 4 * 5;
    StationProcess station({}, true);
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    const QString heard = QuiloRun::HeardWav();
    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(Await([&] { return ToneAnalysis::ToneAtEnd(heard, kFmToneHz); }, kWaitMs))
        << "the stream plays";

    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> outageMs(1000, 4000);
    std::uniform_int_distribution<int> soundMs(1000, 2000);
    for (int drop = 0; drop < kDrops; ++drop) {
        ASSERT_TRUE(station.Control("/_station/fault?name=stream-stop&stream=fm"));
        // what is decoded from here on comes from the stream once it is back
        QFile::remove(heard);
        Hold(outageMs(random));
        ASSERT_TRUE(station.Control("/_station/fault?name=stream-start&stream=fm"));
        ASSERT_TRUE(Await([&] { return ToneAnalysis::ToneAtEnd(heard, kFmToneHz, 0.25); }, kWaitMs))
            << "drop " << drop << " (seed " << seed << ")";
        EXPECT_EQ(QuiloRun::QuiloWindows().size(), 1) << "a message box at drop " << drop;
        Hold(soundMs(random));
    }

    EXPECT_EQ(QuiloProcesses(), 1);
    const QStringList messages = QuiloRun::LogMessages(QuiloRun::LogFiles().last());
    EXPECT_EQ(MostStreamsAtOnce(messages), 1);
    EXPECT_GE(messages.filter("Retry the stream in").size(), kDrops);
    EXPECT_LT(messages.size(), kMostLogLines) << messages.join(u'\n');
    ASSERT_TRUE(quilo.Terminate());
    // the close stops the stream that came back last
    const QStringList closing = QuiloRun::LogMessages(QuiloRun::LogFiles().last());
    EXPECT_EQ(closing.mid(closing.size() - 3),
              (QStringList{"TRY to stop.", "SUXES to stop.", "*** Close the QUILO2 ***"}));
}

// How the station starts: it announces readiness, binds only what it was given, and refuses to
// share an address with another station.

#include "StationProcess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString error;
};

// For command lines the station must refuse: it ends by itself, quickly.
Outcome RunToEnd(const QStringList& arguments) {
    QProcess process;
    process.start(StationProcess::Program(), arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitCode(), QString::fromLocal8Bit(process.readAllStandardError())};
}

}  // namespace

TEST(StationStart, ReadyFileAndExclusiveAddress) {
    QTemporaryDir folder;
    const QString readyFile = folder.filePath("ready");
    StationProcess first({"--ready-file", readyFile});
    ASSERT_TRUE(first.IsReady()) << first.Failure().toStdString();
    QFile ready(readyFile);
    ASSERT_TRUE(ready.open(QIODevice::ReadOnly));
    EXPECT_EQ(ready.readAll(), "ready\n");

    // A second station on the same address and ports must fail, not share the ports.
    const Outcome second = RunToEnd({"--bind", first.Host(), "--no-streams"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_TRUE(second.error.contains(first.Host() + ":808")) << second.error.toStdString();
    EXPECT_EQ(first.Get(StationProcess::kWeb, "/").status, 200);

    // The same ports on another loopback address are fine.
    StationProcess neighbour;
    ASSERT_TRUE(neighbour.IsReady()) << neighbour.Failure().toStdString();
}

TEST(StationStart, RefusesWhatItCannotServe) {
    EXPECT_EQ(RunToEnd({"--bind", "0.0.0.0", "--no-streams"}).exitCode, 2) << "loopback only";
    EXPECT_EQ(RunToEnd({"--bind", "192.168.0.1", "--no-streams"}).exitCode, 2);
    EXPECT_EQ(RunToEnd({"--clock-start", "2007-13-01T00:00:00", "--no-streams"}).exitCode, 2);
    EXPECT_EQ(RunToEnd({"--web-port", "0", "--no-streams"}).exitCode, 2);

    QTemporaryDir folder;
    const Outcome noData =
        RunToEnd({"--bind", StationProcess::UniqueHost(), "--no-streams", "--data", folder.path()});
    EXPECT_EQ(noData.exitCode, 1);
    EXPECT_TRUE(noData.error.contains("schedule.txt")) << noData.error.toStdString();
}

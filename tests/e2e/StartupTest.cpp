#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <cstring>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/TestEnvironment.h"
#include "support/WaylandDesktop.h"

namespace {

QStringList VisibleWindowsOfQuilo() {
    return QuiloRun::XdoTool({"search", "--onlyvisible", "--classname", "quilo"});
}

QByteArray PreferencesFile() {
    QFile file(CPrefStore::DefaultFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Copies started within the same second would share one log file name: waits until a copy
// started now has a name of its own.
bool AwaitNextLogName() {
    const QString lastLog = QuiloRun::LogFiles().value(QuiloRun::LogFiles().size() - 1);
    return Await(
        [&] {
            return QDateTime::currentDateTime().toString("yyyy-MM-dd-HH-mm-ss") + ".log" > lastLog;
        },
        3000);
}

}  // namespace

// A copy still at its log-in is the running one, and a crashed copy's socket left behind is none.
TEST(Startup, ASecondCopyOnlyWritesItsOwnBannerAndLeavesThePreferencesAlone) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), false);
    // a crashed copy's socket: the file is there, nobody answers on it
    const QByteArray path = QFile::encodeName(QuiloRun::InstanceSocket());
    const int leftOver = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(leftOver, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(leftOver);

    QuiloRun first;  // no saved log-in: it waits in its log-in dialog
    first.Start();
    ASSERT_TRUE(Await(QuiloRun::CopyAnswers, 15000));
    ASSERT_TRUE(AwaitNextLogName());

    // the first copy's update check empties the ID's line as it disables the fields: the
    // preferences are read once that check has answered, not while that write may be under way
    ASSERT_TRUE(QuiloRun::WaitForLogLine("SUXES to download the version info file."));
    const QByteArray preferences = PreferencesFile();
    QuiloRun second;
    second.Start();
    ASSERT_TRUE(second.WaitForExit());
    EXPECT_TRUE(first.IsRunning());

    const QStringList logs = QuiloRun::LogFiles();
    ASSERT_EQ(logs.size(), 2);
    EXPECT_EQ(QuiloRun::LogMessages(logs[1]),
              (QStringList{"*** Start the QUILO2 ***", "Show the already operating distance."}));
    EXPECT_FALSE(QuiloRun::LogMessages(logs[0]).contains("Show the already operating distance."));
    EXPECT_EQ(PreferencesFile(), preferences) << "the second copy saved nothing";
    EXPECT_TRUE(first.Terminate());
}

TEST(Startup, OnlyTheExactScheduledStartArgumentIsHonouredAndOnlyWithTheScheduleOn) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    {
        QuiloRun scheduled;
        scheduled.Start({"/a"});
        ASSERT_TRUE(scheduled.WaitForExit());
        EXPECT_EQ(QuiloRun::LogMessages(QuiloRun::LogFiles().last()),
                  (QStringList{"*** Start the QUILO2 ***",
                               "Discarded since schedule option is released."}));
    }
    for (const QStringList& notScheduled : {QStringList{"/a "}, QStringList{"/A"}}) {
        QuiloRun normal;
        normal.Start(notScheduled);
        EXPECT_TRUE(Await(QuiloRun::CopyAnswers, 15000)) << notScheduled.join(u'|');
        EXPECT_TRUE(normal.Terminate());
    }
    CPrefStore().SetOptionSchedule(true);
    QuiloRun scheduled;
    scheduled.Start({"/a"});
    EXPECT_TRUE(Await(QuiloRun::CopyAnswers, 15000));
    EXPECT_TRUE(scheduled.Terminate());
}

TEST(Startup, EndsWithItsReasonWhenNoSkinCanBeUsed) {
    QuiloRun::Install({});
    QuiloRun noSkins;
    noSkins.Start();
    ASSERT_TRUE(noSkins.WaitForExit());
    EXPECT_EQ(QuiloRun::LogMessages(QuiloRun::LogFiles().last()).value(1),
              "FAIL to get a appropreate skin name.");

    QDir().mkpath(QuiloRun::ProgramFolder() + "/Skins/Empty");
    QuiloRun noSkinText;
    noSkinText.Start();
    ASSERT_TRUE(noSkinText.WaitForExit());
    ASSERT_TRUE(QuiloRun::WaitForLogLine("FAIL to get skin info."));
    EXPECT_EQ(CPrefStore().GetSkin(), "Empty") << "the first skin folder found is saved at once";
}

// The end of the session (a closed terminal or session: SIGHUP, as the desktop's request) does not
// wait for an open menu and ends the program as its close command does.
TEST(Startup, TheEndOfTheSessionClosesAnOpenMenuAndEndsTheProgramAsItsCloseCommandDoes) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(QuiloRun::WaitForMainWindow());
    QFile limits(QStringLiteral("/proc/%1/limits").arg(quilo.ProcessId()));
    ASSERT_TRUE(limits.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromLatin1(limits.readAll())
                    .contains(QRegularExpression("Max core file size +0 +0 ")))
        << "the password can never reach a core dump";
    QStringList face;
    ASSERT_TRUE(Await(
        [&] {
            face = QuiloRun::QuiloWindows();
            return !face.isEmpty();
        },
        15000));
    const qsizetype windowsBefore = VisibleWindowsOfQuilo().size();
    QuiloRun::XdoTool({"mousemove", "--window", face.first(), "150", "300", "click", "3"});
    ASSERT_TRUE(Await([&] { return VisibleWindowsOfQuilo().size() > windowsBefore; }, 10000))
        << "the context menu opened";

    // the menu waits for the listener in a loop of its own; the session's end does not wait
    ASSERT_TRUE(quilo.Terminate(15000, SIGHUP));
    ASSERT_EQ(QuiloRun::LogFiles().size(), 1);
    const QStringList messages = QuiloRun::LogMessages(QuiloRun::LogFiles().first());
    EXPECT_EQ(messages.first(), "*** Start the QUILO2 ***");
    EXPECT_EQ(messages.last(), "*** Close the QUILO2 ***");
    EXPECT_FALSE(QDir(TestEnvironment::WorkDir() + "/Log").exists())
        << "logs go beside the program, wherever it is started from";
    // the close command's saves were made
    const CPrefStore prefs;
    EXPECT_EQ(prefs.GetSkin(), "Quilo2");
    EXPECT_TRUE(prefs.GetPosX());
    EXPECT_EQ(prefs.GetVolume(), 20u);
    EXPECT_EQ(prefs.GetOptionMini(), false);
}

// A Wayland session reads 0,0 for every window: it must not overwrite the place an X11 session
// saved, and that session opens there again.
TEST(Startup, ARunOnWaylandKeepsThePlaceTheX11RunOpensAt) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), true);
    CPrefStore().SetPosX(140);
    CPrefStore().SetPosY(150);
    ASSERT_FALSE(PreferencesFile().contains("Volume="));
    {
        const WaylandDesktop wayland;
        ASSERT_TRUE(wayland.IsReady());
        QuiloRun onWayland;
        onWayland.Start({}, wayland.Environment());
        ASSERT_TRUE(QuiloRun::WaitForMainWindow());
        ASSERT_TRUE(onWayland.Terminate());
    }
    EXPECT_EQ(CPrefStore().GetPosX(), 140u);
    EXPECT_EQ(CPrefStore().GetPosY(), 150u);
    ASSERT_TRUE(PreferencesFile().contains("Volume=")) << "the Wayland run saved its settings";
    ASSERT_TRUE(AwaitNextLogName());

    QuiloRun onX11;
    onX11.Start();
    // the main window's first line, now in this run's log as well
    ASSERT_TRUE(Await([] {
        return QuiloRun::AllLogLines().count("TRY to download the program table file.") == 2;
    }));
    QStringList geometry;
    EXPECT_TRUE(Await([&] {
        const QStringList windows = QuiloRun::QuiloWindows();
        geometry = QuiloRun::XdoTool({"getwindowgeometry", "--shell", windows.value(0)});
        return windows.size() == 1 && geometry.contains("X=140") && geometry.contains("Y=150");
    })) << geometry.join(' ');
    ASSERT_TRUE(onX11.Terminate());
}

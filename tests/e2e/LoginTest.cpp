#include <gtest/gtest.h>

#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/TestEnvironment.h"

namespace {

bool AwaitQuiloWindows(qsizetype count) {
    return Await([count] { return QuiloRun::QuiloWindows().size() == count; }, 20000);
}

void Press(const QString& keys) {
    QuiloRun::XdoTool({"key", "--delay", "40", keys});
}

// A stand-in of the desktop's handler: it notes what it was given to open.
QProcessEnvironment WithRecordingDesktopHandler(const QString& record) {
    const QString folder = TestEnvironment::Root() + "/handler";
    QDir().mkpath(folder);
    QFile script(folder + "/xdg-open");
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" >> '%1'\n").arg(record).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", folder + u':' + environment.value("PATH"));
    return environment;
}

}  // namespace

TEST(LogIn, TheListenerTypesIdAndPasswordAndThePlayerOpens) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), false);

    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(AwaitQuiloWindows(1)) << "the log-in dialog";
    const QString dialog = QuiloRun::QuiloWindows().first();
    QuiloRun::XdoTool({"windowactivate", "--sync", dialog});
    QuiloRun::XdoTool({"type", "--delay", "40", "demo"});
    Press("Tab");
    QuiloRun::XdoTool({"type", "--delay", "40", "quilo2007"});
    Press("Return");

    ASSERT_TRUE(QuiloRun::WaitForLogLine("SUXES to log-in."));
    ASSERT_TRUE(QuiloRun::WaitForMainWindow()) << "the player opened";
    ASSERT_TRUE(quilo.Terminate());
    EXPECT_FALSE(QuiloRun::AllLogLines().contains("quilo2007"));
    EXPECT_FALSE(SavedPassword::Read(CPrefStore())) << "a typed password is not saved";
}

TEST(LogIn, AnOfferedUpdateDeclinedGoesOnToTheLogInAndAcceptedEndsTheProgram) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    ASSERT_TRUE(station.Control("/_station/update?ver=2.10"));
    QuiloRun::InstallFor(station.Host(), true);
    const QString record = TestEnvironment::Root() + "/opened.txt";
    const QProcessEnvironment environment = WithRecordingDesktopHandler(record);

    {
        QuiloRun declined;
        declined.Start({}, environment);
        ASSERT_TRUE(AwaitQuiloWindows(2)) << "the log-in dialog and the question";
        Press("Escape");
        ASSERT_TRUE(QuiloRun::WaitForLogLine("SUXES to log-in."));
        ASSERT_TRUE(QuiloRun::WaitForMainWindow());
        ASSERT_TRUE(declined.Terminate());
        EXPECT_FALSE(QFile::exists(record));
    }

    QuiloRun accepted;
    accepted.Start({}, environment);
    ASSERT_TRUE(AwaitQuiloWindows(2));
    Press("Return");
    ASSERT_TRUE(accepted.WaitForExit()) << "the program ends for the new release";
    ASSERT_TRUE(Await([&] { return QFile::exists(record); }, 10000));
    QFile opened(record);
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    const QString package = QString::fromUtf8(opened.readAll()).trimmed();
    const QFileInfo packageFile(QUrl::fromUserInput(package).toLocalFile());
    EXPECT_TRUE(packageFile.isFile()) << package;
    EXPECT_FALSE(packageFile.isExecutable()) << "a download is never made executable";
    const QStringList messages = QuiloRun::LogMessages(QuiloRun::LogFiles().last());
    EXPECT_TRUE(messages.contains("SUXES to download the setup file."));
    EXPECT_EQ(messages.last(), "FAIL to log-in.");
}

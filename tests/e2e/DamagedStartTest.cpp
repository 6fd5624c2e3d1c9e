// The whole program started on a damaged skin and damaged preferences: it logs in with what it can
// read, ends with its clear message, and the listener's settings are still there afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/QtPrinting.h"
#include "support/SavedPassword.h"
#include "support/TestEnvironment.h"

namespace {

constexpr char kJunk[] = "\x01\xff\xfe junk \x7f\x80";

}  // namespace

TEST(DamagedStart, ASavedSkinWithoutItsBackgroundEndsWithMessage106AndKeepsTheLogIn) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    // the default skin as "Damaged", its files linked but for the background
    QuiloRun::InstallFor(station.Host(), false);
    const QString source = TestEnvironment::SourceDir() + "/Skins/Quilo2/";
    const QString folder = QuiloRun::ProgramFolder() + "/Skins/Damaged/";
    QDir().mkpath(folder);
    for (const QString& name : QDir(source).entryList(QDir::Files)) {
        QFile::link(source + name, folder + name);
    }
    QFile::remove(folder + "main_bg.bmp");
    QFile(folder + "main_bg.bmp").open(QIODevice::WriteOnly);
    // junk lines around the saved automatic log-in of the demo member, the lines ended by CR alone
    QDir().mkpath(QFileInfo(CPrefStore::DefaultFilePath()).absolutePath());
    QFile prefsFile(CPrefStore::DefaultFilePath());
    ASSERT_TRUE(prefsFile.open(QIODevice::WriteOnly));
    prefsFile.write(QByteArray(kJunk) + "\r[Prefs]\rID=demo\r" + kJunk +
                    "\rPW=quilo2007\rOptionAutoLogin=1\rVolume=99999999999\rSkin=Damaged\r");
    prefsFile.close();

    QuiloRun quilo;
    quilo.Start();
    // the box with message 106, answered as the listener does, ends the program; the log-in
    // dialog, also titled "Quilo", may still be closing when the box comes, so Return goes to the
    // newest such window until the program has ended
    ASSERT_TRUE(QuiloRun::WaitForLogLine("SUXES to log-in.", 30000))
        << QuiloRun::AllLogLines().toStdString();
    const bool answered = Await(
        [&] {
            if (!quilo.IsRunning()) {
                return true;
            }
            const QStringList windows = QuiloRun::QuiloWindows();
            if (!windows.isEmpty()) {
                QuiloRun::XdoTool({"windowactivate", "--sync", windows.last(), "key", "Return"});
            }
            return false;
        },
        30000);
    EXPECT_TRUE(answered) << QuiloRun::AllLogLines().toStdString();
    EXPECT_TRUE(quilo.WaitForExit());

    // the log-in is still saved, and so is the line the program could not read
    const CPrefStore prefs;
    EXPECT_EQ(prefs.GetID(), "demo");
    EXPECT_EQ(SavedPassword::Read(prefs), "quilo2007");
    EXPECT_TRUE(prefs.GetOptionAutoLogin());
    QFile file(prefs.FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(kJunk));
}

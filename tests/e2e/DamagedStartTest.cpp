// The whole program started on a damaged skin and damaged preferences: it plays, or ends with its
// clear message, and the listener's settings are still there afterwards.
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

// Junk lines around the saved automatic log-in of the demo member, with the given line end.
void WriteDamagedPrefs(const QString& skin, const QByteArray& lineEnd) {
    const QString path = CPrefStore::DefaultFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray junk(kJunk);
    file.write(junk + lineEnd + "[Prefs]" + lineEnd + "ID=demo" + lineEnd + junk + lineEnd +
               "PW=quilo2007" + lineEnd + "OptionAutoLogin=1" + lineEnd + "Volume=99999999999" +
               lineEnd + "Skin=" + skin.toLatin1() + lineEnd);
}

// The log-in is still saved, and so is the line the program could not read.
void ExpectLogInKept() {
    const CPrefStore prefs;
    EXPECT_EQ(prefs.GetID(), QStringLiteral("demo"));
    EXPECT_EQ(SavedPassword::Read(prefs), QStringLiteral("quilo2007"));
    EXPECT_TRUE(prefs.GetOptionAutoLogin());
    QFile file(prefs.FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(kJunk));
}

// The default skin installed for the program as "Damaged", its files linked, but `file` holding
// `bytes`.
QString InstallDamagedSkin(const StationProcess& station, const QString& file,
                           const QByteArray& bytes) {
    QuiloRun::InstallFor(station.Host(), false);
    const QString source = TestEnvironment::SourceDir() + QStringLiteral("/Skins/Quilo2/");
    const QString folder = QuiloRun::ProgramFolder() + QStringLiteral("/Skins/Damaged/");
    QDir().mkpath(folder);
    for (const QString& name : QDir(source).entryList(QDir::Files)) {
        if (name != file) {
            QFile::link(source + name, folder + name);
        }
    }
    QFile damaged(folder + file);
    EXPECT_TRUE(damaged.open(QIODevice::WriteOnly) && damaged.write(bytes) == bytes.size());
    return QStringLiteral("Damaged");
}

// The default skin's description with every number of the message area's entry out of range.
QByteArray AbsurdSkinText() {
    QFile file(TestEnvironment::SourceDir() + QStringLiteral("/Skins/Quilo2/skininfo.ini"));
    QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype at = text.indexOf("[MAIN_EDIT]");
    return text.replace(at, text.indexOf('\r', at) - at,
                        "[MAIN_EDIT]=99999999999,99999999999,99999999999,99999999999");
}

}  // namespace

TEST(DamagedStart, AbsurdSkinNumbersAndJunkInCrOnlyPreferencesStillPlayAndKeepTheLogIn) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    const QString skin =
        InstallDamagedSkin(station, QStringLiteral("skininfo.ini"), AbsurdSkinText());
    WriteDamagedPrefs(skin, "\r");
    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(QuiloRun::WaitForLogLine(QStringLiteral("TRY to play."), 30000));
    EXPECT_TRUE(quilo.Terminate());
    ExpectLogInKept();
    EXPECT_EQ(CPrefStore().GetSkin(), skin);
}

TEST(DamagedStart, ASavedSkinWithoutItsBackgroundEndsWithMessage106AndKeepsTheLogIn) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    const QString skin = InstallDamagedSkin(station, QStringLiteral("main_bg.bmp"), {});
    WriteDamagedPrefs(skin, "\n");
    QuiloRun quilo;
    quilo.Start();
    // the box with message 106, answered as the listener does, ends the program; the log-in
    // dialog, also titled "Quilo", may still be closing when the box comes, so Return goes to the
    // newest such window until the program has ended
    ASSERT_TRUE(QuiloRun::WaitForLogLine(QStringLiteral("SUXES to log-in."), 30000))
        << QuiloRun::AllLogLines().toStdString();
    const bool answered = QuiloRun::WaitUntil(
        [&] {
            if (!quilo.IsRunning()) {
                return true;
            }
            const QStringList windows = QuiloRun::QuiloWindows();
            if (!windows.isEmpty()) {
                QuiloRun::XdoTool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                   windows.last(), QStringLiteral("key"),
                                   QStringLiteral("Return")});
            }
            return false;
        },
        30000);
    EXPECT_TRUE(answered) << QuiloRun::AllLogLines().toStdString();
    EXPECT_TRUE(quilo.WaitForExit());
    ExpectLogInKept();
}

TEST(DamagedStart, ADirectoryWherePreferencesBelongShowsTheLogInAndStaysADirectory) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    QuiloRun::InstallFor(station.Host(), false);
    const QString path = CPrefStore::DefaultFilePath();
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    QuiloRun quilo;
    quilo.Start();
    ASSERT_TRUE(QuiloRun::WaitUntil([] { return !QuiloRun::QuiloWindows().isEmpty(); }, 30000));
    EXPECT_TRUE(quilo.IsRunning());
    EXPECT_TRUE(quilo.Terminate());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

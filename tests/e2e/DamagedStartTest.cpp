// The whole program started on a damaged skin and damaged preferences: it plays, or ends with its
// clear message, and the listener's settings are still there afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "QuiloRun.h"
#include "StationProcess.h"
#include "platform/CPrefStore.h"
#include "support/CorruptInputs.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"

namespace {

// Junk lines around the saved automatic log-in of the demo member, with the given line end.
void WriteDamagedPrefs(const QString& skin, const QByteArray& lineEnd) {
    const QString path = CPrefStore::DefaultFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray junk("\x01\xff\xfe junk \x7f\x80", 13);
    file.write(junk + lineEnd + "[Prefs]" + lineEnd + "ID=demo" + lineEnd + junk + lineEnd +
               "PW=quilo2007" + lineEnd + "OptionAutoLogin=1" + lineEnd + "Volume=99999999999" +
               lineEnd + "Skin=" + skin.toLatin1() + lineEnd);
}

void ExpectLogInKept() {
    const CPrefStore prefs;
    EXPECT_EQ(prefs.GetID(), QStringLiteral("demo"));
    EXPECT_EQ(prefs.GetPW(), QStringLiteral("quilo2007"));
    EXPECT_TRUE(prefs.GetOptionAutoLogin());
}

std::vector<CorruptInputs::SkinCase> InstallDamagedSkins(const StationProcess& station) {
    QuiloRun::InstallFor(station.Host(), false);
    return CorruptInputs::MakeDamagedSkins(
        TestEnvironment::SourceDir() + QStringLiteral("/Skins/Quilo2"),
        QuiloRun::ProgramFolder() + QStringLiteral("/Skins"), 20070417);
}

QString AllLogLines() {
    QStringList lines;
    for (const QString& file : QuiloRun::LogFiles()) {
        lines << QuiloRun::LogLines(file);
    }
    return lines.join(u'\n');
}

QString CaseNamed(const std::vector<CorruptInputs::SkinCase>& skins, const QString& damage) {
    for (const CorruptInputs::SkinCase& skin : skins) {
        if (skin.damage == damage) {
            return skin.name;
        }
    }
    return {};
}

}  // namespace

TEST(DamagedStart, AbsurdSkinNumbersAndJunkInCrOnlyPreferencesStillPlayAndKeepTheLogIn) {
    StationProcess station;
    ASSERT_TRUE(station.IsReady()) << station.Failure();
    const QString skin =
        CaseNamed(InstallDamagedSkins(station), QStringLiteral("[MAIN_EDIT] = \"99999999999\""));
    ASSERT_FALSE(skin.isEmpty());
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
    const QString skin =
        CaseNamed(InstallDamagedSkins(station), QStringLiteral("main_bg.bmp: zero bytes"));
    WriteDamagedPrefs(skin, "\n");
    QuiloRun quilo;
    quilo.Start();
    // the box with message 106, answered as the listener does, ends the program; the log-in
    // dialog, also titled "Quilo", may still be closing when the box comes, so Return goes to the
    // newest such window until the program has ended
    ASSERT_TRUE(QuiloRun::WaitForLogLine(QStringLiteral("SUXES to log-in."), 30000))
        << AllLogLines().toStdString();
    const bool answered = QuiloRun::WaitUntil(
        [&] {
            if (!quilo.IsRunning()) {
                return true;
            }
            const QStringList windows =
                QuiloRun::XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                   QStringLiteral("--name"), QStringLiteral("^Quilo$")});
            if (!windows.isEmpty()) {
                QuiloRun::XdoTool({QStringLiteral("windowactivate"), QStringLiteral("--sync"),
                                   windows.last(), QStringLiteral("key"),
                                   QStringLiteral("Return")});
            }
            return false;
        },
        30000);
    EXPECT_TRUE(answered) << AllLogLines().toStdString();
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
    ASSERT_TRUE(QuiloRun::WaitUntil(
        [] {
            return !QuiloRun::XdoTool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), QStringLiteral("^Quilo$")})
                        .isEmpty();
        },
        30000));
    EXPECT_TRUE(quilo.IsRunning());
    EXPECT_TRUE(quilo.Terminate());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

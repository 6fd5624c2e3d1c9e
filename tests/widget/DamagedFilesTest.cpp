// Damaged skins and preferences on disk, met by the main window in this process: every case gets
// its fallback or message 106, none crashes, and the listener's readable settings survive the
// start and the end of the window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTimer>
#include <iostream>

#include "app/StartupSkin.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "player/CViewerDlg.h"
#include "support/Await.h"
#include "support/CorruptInputs.h"
#include "support/TestEnvironment.h"
#include "windows/CMainDlg.h"

namespace {

constexpr unsigned kSeed = 20070417;

QString Shipped(const QString& skin) {
    return TestEnvironment::SourceDir() + QStringLiteral("/Skins/") + skin;
}

class DamagedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(QStringLiteral("./Skins"));
        QFile::link(Shipped(QStringLiteral("Quilo2")), QStringLiteral("./Skins/Quilo2"));
        StringTable::SetKorean(false);
        qputenv("QUILO_LAUNCH_PROGRAM", "true");
        // no server: the program table's fetch fails at once and is told apart
        program_.config.webServer = QStringLiteral("http://127.0.0.1:1");
        program_.config.vlcArgs = {QStringLiteral("--aout=dummy")};
        SetMessageAnswerer([this](StringId id, const QString&) {
            if (id != StringId::kProgramInfoFailed) {
                messages_.push_back(id);
            }
            return MessageAnswer::Ok;
        });
    }

    // The window opened as at start-up, `body` run once its start sequence has read the
    // preferences, then the window ended as the session's end ends it.
    bool RunMainWindow(const std::function<void(CMainDlg&)>& body) {
        CMainDlg window(program_);
        if (!window.Open()) {
            return false;
        }
        EXPECT_TRUE(Await([&] { return window.Viewer().IsCreated(); }));
        body(window);
        window.CloseWithoutAsking();
        return true;
    }

    std::vector<StringId> TakeMessages() { return std::exchange(messages_, {}); }

    Program program_;
    std::vector<StringId> messages_;
};

const std::vector<StringId> kFilesMissing = {StringId::kFilesMissing};

}  // namespace

TEST_F(DamagedFiles, ADamagedSkinIsWornDrawnOrRefusedWithMessage106AndTheOldSkinStays) {
    const std::vector<CorruptInputs::SkinCase> skins =
        CorruptInputs::MakeDamagedSkins(Shipped(QStringLiteral("Quilo2")), "./Skins", kSeed);
    std::cout << skins.size() << " damaged skins" << std::endl;

    ASSERT_TRUE(program_.skin.Load(QStringLiteral("Quilo2")));
    ASSERT_TRUE(RunMainWindow([&](CMainDlg& window) {
        for (const CorruptInputs::SkinCase& skin : skins) {
            SCOPED_TRACE(skin.damage.toStdString());
            window.SwitchSkin(skin.name);
            // drawn whole, every control with whatever the damaged skin gave it
            EXPECT_FALSE(window.grab().isNull());
            const std::vector<StringId> told = TakeMessages();
            if (program_.skin.Name() == skin.name) {
                EXPECT_FALSE(skin.mustBeRefused);
                EXPECT_TRUE(told.empty());
                window.SwitchSkin(QStringLiteral("Quilo2"));
            } else {
                EXPECT_EQ(program_.skin.Name(), QStringLiteral("Quilo2"));
                EXPECT_EQ(told, kFilesMissing);
            }
        }
    }));

    // at start-up a skin without the main face's background ends the window with the same
    // message (the mini face's is needed only when that face opens)
    int refusedAtStart = 0;
    for (const CorruptInputs::SkinCase& skin : skins) {
        if (skin.mustBeRefused && skin.damage.startsWith(QStringLiteral("main_bg")) &&
            program_.skin.Load(skin.name)) {
            SCOPED_TRACE(skin.damage.toStdString());
            EXPECT_FALSE(RunMainWindow([](CMainDlg&) {}));
            EXPECT_EQ(TakeMessages(), kFilesMissing);
            ++refusedAtStart;
        }
    }
    EXPECT_EQ(refusedAtStart, 4);
}

TEST_F(DamagedFiles, DamagedPreferencesNeverCrashAndTheReadableSettingsSurviveAStartAndEnd) {
    const std::vector<CorruptInputs::PrefsCase> cases = CorruptInputs::DamagedPrefs(kSeed);
    std::cout << cases.size() << " damaged preference files" << std::endl;
    const QString path = CPrefStore::DefaultFilePath();
    // what the window's end writes; every other line must still be there afterwards
    const QList<QByteArray> savedAtEnd = {"PosX=", "PosY=", "Volume=", "OptionMini=", "Skin="};

    for (const CorruptInputs::PrefsCase& prefs : cases) {
        SCOPED_TRACE(prefs.damage.toStdString());
        QDir(path).removeRecursively();
        QFile::remove(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (prefs.isDirectory) {
            QDir().mkpath(path);
        } else {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(prefs.bytes);
        }

        QString skinName;
        ASSERT_TRUE(ChooseStartupSkin(program_.prefs, skinName));
        ASSERT_TRUE(program_.skin.Load(skinName));
        ASSERT_TRUE(RunMainWindow([](CMainDlg&) {}));
        EXPECT_TRUE(TakeMessages().empty());

        const CPrefStore after;
        const std::map<QString, std::function<std::optional<QString>()>> readers = {
            {QStringLiteral("ID"), [&] { return after.GetID(); }},
            {QStringLiteral("PW"), [&] { return after.GetPW(); }},
            {QStringLiteral("Skin"), [&] { return after.GetSkin(); }},
            {QStringLiteral("OptionTopMost"),
             [&] { return std::optional(QString::number(after.GetOptionTopMost())); }},
            {QStringLiteral("Schedule"),
             [&]() -> std::optional<QString> {
                 const std::optional<ScheduleBytes> bytes = after.GetSchedule();
                 if (!bytes) {
                     return std::nullopt;
                 }
                 return QString::fromLatin1(
                     QByteArray(reinterpret_cast<const char*>(bytes->data()), 18)
                         .toHex()
                         .toUpper());
             }},
        };
        for (const auto& [key, value] : prefs.validKeys) {
            EXPECT_EQ(readers.at(key)(), value) << key.toStdString();
        }
        if (prefs.isDirectory) {
            EXPECT_TRUE(QFileInfo(path).isDir()) << "a directory is never replaced by a file";
            continue;
        }
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> linesAfter = file.readAll().split('\n');
        for (QByteArray line : prefs.bytes.split('\n')) {
            for (const QByteArray& part : line.replace("\r\n", "\n").split('\r')) {
                const bool rewritten = std::any_of(
                    savedAtEnd.begin(), savedAtEnd.end(),
                    [&](const QByteArray& key) { return part.trimmed().startsWith(key); });
                EXPECT_TRUE(rewritten || part.isEmpty() || linesAfter.contains(part))
                    << "lost line: " << part.left(80).toStdString();
            }
        }
    }
}

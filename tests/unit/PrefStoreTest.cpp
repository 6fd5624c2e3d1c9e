#include "platform/CPrefStore.h"

#include <gtest/gtest.h>

#include "support/FullDisk.h"
#include "support/QtPrinting.h"
#include "support/SavedPassword.h"

#include <QDir>
#include <QFile>

namespace {

void WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ExpectNothingReadable(const CPrefStore& store) {
    EXPECT_FALSE(store.GetID());
    EXPECT_FALSE(SavedPassword::Read(store));
    EXPECT_FALSE(store.GetSkin());
    EXPECT_EQ(store.GetVolume(), 20u);
    EXPECT_FALSE(store.GetPosX());
    EXPECT_FALSE(store.GetPosY());
    EXPECT_FALSE(store.GetOptionMini());
    EXPECT_FALSE(store.GetOptionAutoLogin());
    EXPECT_FALSE(store.GetOptionTopMost());
    EXPECT_FALSE(store.GetOptionSchedule());
    EXPECT_TRUE(store.GetOptionNotify()) << "on until it is switched off";
    EXPECT_FALSE(store.GetSchedule());
}

}  // namespace

TEST(PrefStore, EveryValueRoundTripsExactlyThroughAPrivateFile) {
    CPrefStore store;
    ScheduleBytes table{};
    table.fill(0xFF);
    table[0] = 0x80 | 7;  // 07:30, enabled
    table[1] = 30;
    table[2] = 23;  // 23:59, disabled
    table[3] = 59;

    // blanks at either end and quotes are part of a password
    const QString passwords[] = {QStringLiteral(" pa ss=wörd;# "), QStringLiteral("\"quoted\""),
                                 QStringLiteral("\"")};
    EXPECT_TRUE(store.SetID(QStringLiteral("listener1")));
    EXPECT_TRUE(store.SetSkin(QStringLiteral("밤하늘 skin")));
    EXPECT_TRUE(store.SetVolume(55));
    EXPECT_TRUE(store.SetPosX(1200));
    EXPECT_TRUE(store.SetPosY(7));
    EXPECT_TRUE(store.SetOptionMini(true));
    EXPECT_TRUE(store.SetOptionAutoLogin(true));
    EXPECT_TRUE(store.SetOptionTopMost(false));
    EXPECT_TRUE(store.SetOptionSchedule(true));
    EXPECT_TRUE(store.SetOptionNotify(false));
    EXPECT_TRUE(store.SetSchedule(table));
    for (const QString& password : passwords) {
        EXPECT_TRUE(SavedPassword::Write(store, password));
        EXPECT_EQ(SavedPassword::Read(CPrefStore()), password);
    }

    const CPrefStore again;
    EXPECT_EQ(again.GetID(), QStringLiteral("listener1"));
    EXPECT_EQ(again.GetSkin(), QStringLiteral("밤하늘 skin"));
    EXPECT_EQ(again.GetVolume(), 55u);
    EXPECT_EQ(again.GetPosX(), 1200u);
    EXPECT_EQ(again.GetPosY(), 7u);
    EXPECT_TRUE(again.GetOptionMini());
    EXPECT_TRUE(again.GetOptionAutoLogin());
    EXPECT_FALSE(again.GetOptionTopMost());
    EXPECT_TRUE(again.GetOptionSchedule());
    EXPECT_FALSE(again.GetOptionNotify());
    EXPECT_EQ(again.GetSchedule(), table);

    EXPECT_EQ(QFile(store.FilePath()).permissions(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser)
        << "the password is in there: only its owner may read it";
    EXPECT_FALSE(store.GetInstalledDir().isEmpty());
}

TEST(PrefStore, MissingOrCorruptFilesGiveNoValues) {
    ExpectNothingReadable(CPrefStore());  // no file at all

    static const char garbage[] = "\x00\xff\xfe[Prefs\n=\n\x01garbage";
    WriteFile(CPrefStore::DefaultFilePath(), QByteArray(garbage, sizeof garbage - 1));
    ExpectNothingReadable(CPrefStore());

    // values of the wrong kind are failed reads as well
    WriteFile(CPrefStore::DefaultFilePath(),
              "[Prefs]\nVolume=loud\nPosX=-5\nOptionMini=yes\nSchedule=80FF\n");
    ExpectNothingReadable(CPrefStore());

    // a folder where the file should be cannot be read, and a write does not crash either
    QFile::remove(CPrefStore::DefaultFilePath());
    QDir().mkpath(CPrefStore::DefaultFilePath());
    CPrefStore blocked;
    ExpectNothingReadable(blocked);
    EXPECT_FALSE(blocked.SetVolume(50));
}

TEST(PrefStore, AnUnreadableFileIsNeverWrittenOver) {
    const QByteArray saved = "[Prefs]\nID=listener1\nPW=secret\nOptionSchedule=1\n";
    WriteFile(CPrefStore::DefaultFilePath(), saved);
    CPrefStore store;
    ASSERT_EQ(store.GetID(), QStringLiteral("listener1"));

    // the file is there but cannot be opened: tests run as root, for whom a mode of 000 is no
    // obstacle, so the file becomes a link that loops on itself, which nobody can open
    const QString path = store.FilePath();
    const QString aside = path + QStringLiteral(".aside");
    ASSERT_TRUE(QFile::rename(path, aside));
    ASSERT_TRUE(QFile::link(path, path));
    ExpectNothingReadable(store);
    EXPECT_FALSE(store.SetVolume(50)) << "a write would have replaced everything with one key";
    EXPECT_FALSE(store.SetSkin(QStringLiteral("Midnight")));

    // once the file can be read again, nothing of it is lost
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(aside, path));
    EXPECT_EQ(ReadFile(path), saved);

    // a disk that fills up while the new file is written keeps the old one whole
    {
        const FullDisk full(saved.size());
        EXPECT_FALSE(store.SetSkin(QStringLiteral("Midnight")));
    }
    EXPECT_EQ(ReadFile(path), saved);
    EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files), QStringList{"prefs.ini"})
        << "no temporary file is left behind";
    EXPECT_TRUE(store.SetVolume(50));
    EXPECT_EQ(SavedPassword::Read(store), QStringLiteral("secret"));
    EXPECT_TRUE(store.GetOptionSchedule());
}

TEST(PrefStore, VolumeOutsideOneToAHundredGivesTwenty) {
    CPrefStore store;
    for (const auto& [saved, expected] :
         {std::pair{0u, 20u}, {101u, 20u}, {1u, 1u}, {100u, 100u}}) {
        store.SetVolume(saved);
        EXPECT_EQ(store.GetVolume(), expected) << "saved " << saved;
    }
}

TEST(PrefStore, AHandWrittenFileIsReadAndKeptWhenAValueChanges) {
    const QByteArray handWritten =
        "; written by hand\r\n[Other]\r\nSkin=NotThisOne\r\n\r\n[Prefs]\r\n  Skin = Midnight \r\n"
        "Volume=35\r\n[Tail]\r\nKey=1\r\n";
    WriteFile(CPrefStore::DefaultFilePath(), handWritten);
    CPrefStore store;
    EXPECT_EQ(store.GetSkin(), QStringLiteral("Midnight"));

    store.SetVolume(80);
    store.SetID(QStringLiteral("new"));
    EXPECT_EQ(store.GetVolume(), 80u);
    const QByteArray text = ReadFile(store.FilePath());
    EXPECT_TRUE(text.contains("; written by hand"));
    EXPECT_TRUE(text.contains("Skin=NotThisOne"));
    EXPECT_TRUE(text.contains("[Tail]\nKey=1"));
    EXPECT_LT(text.indexOf("ID=new"), text.indexOf("[Tail]")) << "new keys go into [Prefs]";
}

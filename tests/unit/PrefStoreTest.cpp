#include "platform/CPrefStore.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>
#include <array>

namespace {

void WriteFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

using Schedule = std::array<uint8_t, CPrefStore::kScheduleSize>;

// Everything a getter hands back, so a failed store can be compared with the defaults at once.
struct ReadBack {
    int results[12] = {};
    QString id, pw, skin;
    uint32_t volume = 0, x = 0, y = 0;
    int mini = -1, autoLogin = -1, topMost = -1, schedule = -1;
    Schedule table{};
};

ReadBack ReadEverything(const CPrefStore& store, Schedule untouched) {
    ReadBack r;
    r.table = untouched;
    int i = 0;
    r.results[i++] = store.GetID(r.id);
    r.results[i++] = store.GetPW(r.pw);
    r.results[i++] = store.GetSkin(r.skin);
    r.results[i++] = store.GetVolume(r.volume);
    r.results[i++] = store.GetPosX(r.x);
    r.results[i++] = store.GetPosY(r.y);
    r.results[i++] = store.GetOptionMini(r.mini);
    r.results[i++] = store.GetOptionAutoLogin(r.autoLogin);
    r.results[i++] = store.GetOptionTopMost(r.topMost);
    r.results[i++] = store.GetOptionSchedule(r.schedule);
    r.results[i++] = store.GetSchedule(r.table.data(), CPrefStore::kScheduleSize);
    return r;
}

void ExpectFailureValues(const CPrefStore& store) {
    Schedule untouched;
    untouched.fill(0x5A);
    const ReadBack r = ReadEverything(store, untouched);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(r.results[i], 0) << "getter " << i;
    }
    EXPECT_TRUE(r.id.isEmpty());
    EXPECT_TRUE(r.skin.isEmpty());
    EXPECT_EQ(r.volume, 20u);
    EXPECT_EQ(r.mini, 0);
    EXPECT_EQ(r.autoLogin, 0);
    EXPECT_EQ(r.topMost, 0);
    EXPECT_EQ(r.schedule, 0);
    EXPECT_EQ(r.table, untouched) << "a failed schedule read leaves the buffer as it was";
}

}  // namespace

TEST(PrefStore, EveryValueRoundTripsThroughAPrivateFile) {
    CPrefStore store;
    Schedule table{};
    table.fill(0xFF);
    table[0] = 0x80 | 7;  // 07:30, enabled
    table[1] = 30;
    table[2] = 23;  // 23:59, disabled
    table[3] = 59;

    store.SetID(QStringLiteral("listener1"));
    store.SetPW(QStringLiteral("pa ss=wörd;#"));
    store.SetSkin(QStringLiteral("밤하늘 skin"));
    store.SetVolume(55);
    store.SetPosX(1200);
    store.SetPosY(7);
    store.SetOptionMini(1);
    store.SetOptionAutoLogin(1);
    store.SetOptionTopMost(0);
    store.SetOptionSchedule(1);
    store.SetSchedule(table.data(), CPrefStore::kScheduleSize);

    const ReadBack r = ReadEverything(CPrefStore(), {});
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(r.results[i], 1) << "getter " << i;
    }
    EXPECT_EQ(r.id, QStringLiteral("listener1"));
    EXPECT_EQ(r.pw, QStringLiteral("pa ss=wörd;#"));
    EXPECT_EQ(r.skin, QStringLiteral("밤하늘 skin"));
    EXPECT_EQ(r.volume, 55u);
    EXPECT_EQ(r.x, 1200u);
    EXPECT_EQ(r.y, 7u);
    EXPECT_EQ(r.mini, 1);
    EXPECT_EQ(r.autoLogin, 1);
    EXPECT_EQ(r.topMost, 0);
    EXPECT_EQ(r.schedule, 1);
    EXPECT_EQ(r.table, table);

    EXPECT_EQ(QFile(store.FilePath()).permissions(),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser)
        << "the password is in there: only its owner may read it";
    QString folder;
    EXPECT_EQ(store.GetInstalledDir(folder), 1);
    EXPECT_FALSE(folder.isEmpty());
}

TEST(PrefStore, MissingCorruptOrUnreadableFilesGiveTheFailureValues) {
    ExpectFailureValues(CPrefStore());  // no file at all

    static const char garbage[] = "\x00\xff\xfe[Prefs\n=\n\x01garbage";
    WriteFile(CPrefStore::DefaultFilePath(), QByteArray(garbage, sizeof garbage - 1));
    ExpectFailureValues(CPrefStore());

    // values of the wrong kind are failed reads as well
    WriteFile(CPrefStore::DefaultFilePath(),
              "[Prefs]\nVolume=loud\nPosX=-5\nOptionMini=yes\nSchedule=80FF\n");
    ExpectFailureValues(CPrefStore());

    // a folder where the file should be cannot be read, and a write does not crash either
    QFile::remove(CPrefStore::DefaultFilePath());
    QDir().mkpath(CPrefStore::DefaultFilePath());
    CPrefStore blocked;
    ExpectFailureValues(blocked);
    EXPECT_EQ(blocked.SetVolume(50), 0);
}

TEST(PrefStore, VolumeOutsideOneToAHundredGivesTwenty) {
    CPrefStore store;
    uint32_t volume = 0;
    for (const auto& [saved, expected] :
         {std::pair{0u, 20u}, {101u, 20u}, {1u, 1u}, {100u, 100u}}) {
        store.SetVolume(saved);
        store.GetVolume(volume);
        EXPECT_EQ(volume, expected) << "saved " << saved;
    }
}

TEST(PrefStore, AHandWrittenFileIsReadAndKeptWhenAValueChanges) {
    const QByteArray handWritten =
        "; written by hand\r\n[Other]\r\nSkin=NotThisOne\r\n\r\n[Prefs]\r\n  Skin = Midnight \r\n"
        "Volume=35\r\n[Tail]\r\nKey=1\r\n";
    WriteFile(CPrefStore::DefaultFilePath(), handWritten);
    CPrefStore store;
    QString skin;
    EXPECT_EQ(store.GetSkin(skin), 1);
    EXPECT_EQ(skin, QStringLiteral("Midnight"));

    store.SetVolume(80);
    store.SetID(QStringLiteral("new"));
    uint32_t volume = 0;
    store.GetVolume(volume);
    EXPECT_EQ(volume, 80u);
    QFile file(store.FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("; written by hand"));
    EXPECT_TRUE(text.contains("Skin=NotThisOne"));
    EXPECT_TRUE(text.contains("[Tail]\nKey=1"));
    EXPECT_LT(text.indexOf("ID=new"), text.indexOf("[Tail]")) << "new keys go into [Prefs]";
}

// The preferences file as the program finds it at start: whatever text is in prefs.ini.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FuzzCheck.h"
#include "platform/CPrefStore.h"

namespace {

// Everything the program reads back from the store.
struct Everything {
    std::optional<QString> id, password, skin;
    uint32_t volume = 0;
    std::optional<uint32_t> x, y;
    bool mini = false, autoLogin = false, topMost = false, schedule = false;
    std::optional<ScheduleBytes> table;

    bool operator==(const Everything&) const = default;
};

// The store has no secret store behind it, so the answer comes before GetPW returns.
std::optional<QString> SavedPassword(const CPrefStore& store) {
    std::optional<QString> password;
    store.GetPW(nullptr, [&password](const std::optional<QString>& told) { password = told; });
    return password;
}

Everything ReadEverything(const CPrefStore& store) {
    return {store.GetID(),
            SavedPassword(store),
            store.GetSkin(),
            store.GetVolume(),
            store.GetPosX(),
            store.GetPosY(),
            store.GetOptionMini(),
            store.GetOptionAutoLogin(),
            store.GetOptionTopMost(),
            store.GetOptionSchedule(),
            store.GetSchedule()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // every write is synced to the disk; in memory that costs nothing and runs stay fast
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/quilo-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/quilo-fuzz-XXXXXX"));
    const QString path = folder.filePath(QStringLiteral("prefs.ini"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();

    // the file alone: the desktop's secret store is no parser and would cost a bus call per run
    CPrefStore store(path, nullptr);
    Everything before = ReadEverything(store);
    FUZZ_CHECK(before.volume >= 1 && before.volume <= 100);

    // writing one value changes that value only (the text-level fuzz program writes any value)
    const ScheduleBytes table = {0x85, 30,   0xFF, 0xFF, 7,    0,    0xFF, 0xFF, 0xFF,
                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    FUZZ_CHECK(store.SetSchedule(table));
    before.table = table;
    FUZZ_CHECK(ReadEverything(store) == before);
    return 0;
}

// quilo-launch: makes quilo start by itself at the listener's scheduled times while it is not
// running. quilo runs it from its settings:
//   quilo-launch <installation folder>   enable the starts of <folder>/quilo /a at the saved times
//   quilo-launch /d                      remove them
// The times are the "Schedule" of the listener's preferences.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <optional>

#include "LaunchLog.h"
#include "ScheduleEntries.h"
#include "ScheduledStarts.h"
#include "platform/CPrefStore.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kBadInput = 2;

// The folder's absolute path when it holds an executable quilo; nothing (and a message) when not.
std::optional<QString> InstallFolder(const QString& given) {
    const QFileInfo folder(given);
    const QFileInfo program(folder.absoluteFilePath() + QStringLiteral("/quilo"));
    if (!folder.isDir() || !program.isFile() || !program.isExecutable()) {
        Say(QStringLiteral("%1 is not a folder that holds an executable quilo").arg(given));
        return std::nullopt;
    }
    // a line break cannot be written into a unit file or a crontab line
    const QString path = QDir::cleanPath(folder.absoluteFilePath());
    if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))) {
        Say(QStringLiteral("a folder whose name holds a line break cannot be scheduled"));
        return std::nullopt;
    }
    return path;
}

std::optional<ScheduleBytes> SavedSchedule() {
    const CPrefStore prefs;
    if (!QFileInfo::exists(prefs.FilePath())) {
        Say(QStringLiteral("no preferences at %1").arg(prefs.FilePath()));
        return std::nullopt;
    }
    const std::optional<ScheduleBytes> schedule = prefs.GetSchedule();
    if (!schedule) {
        Say(QStringLiteral("%1 holds no readable [Prefs] Schedule (36 hex digits)")
                .arg(prefs.FilePath()));
    }
    return schedule;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() != 1 || arguments.first().isEmpty()) {
        Say(QStringLiteral("usage: quilo-launch <installation folder> | /d"));
        return kBadInput;
    }
    ScheduledStarts starts;
    if (arguments.first() == QLatin1String("/d")) {
        return starts.Disable() ? kDone : kFailed;
    }
    const std::optional<QString> folder = InstallFolder(arguments.first());
    const std::optional<ScheduleBytes> schedule = folder ? SavedSchedule() : std::nullopt;
    if (!folder || !schedule) {
        return kBadInput;
    }
    return starts.Enable(*folder, ScheduleEntries(*schedule)) ? kDone : kFailed;
}

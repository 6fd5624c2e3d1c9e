#include "platform/CompanionLauncher.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include "platform/ActivityLog.h"

namespace {

constexpr char kProgramVariable[] = "QUILO_LAUNCH_PROGRAM";
constexpr char kProgramName[] = "quilo-launch";
constexpr char kStartFailed[] = "FAIL to run the launcher because it could not be started.";

}  // namespace

namespace CompanionLauncher {

QString Argument(bool scheduleOn, const QString& installedDir) {
    if (scheduleOn && !installedDir.isEmpty()) {
        return installedDir;
    }
    return QString::fromLatin1(kDisableArgument);
}

QString ProgramPath() {
    const QString standIn = qEnvironmentVariable(kProgramVariable);
    if (!standIn.isEmpty()) {
        return standIn;
    }
    return QCoreApplication::applicationDirPath() + u'/' + QLatin1String(kProgramName);
}

bool Start(const QString& argument, ActivityLog& log) {
    // detached: the companion outlives a program that ends right after the settings
    const bool started = QProcess::startDetached(ProgramPath(), {argument}, QDir::currentPath());
    if (!started) {
        log.WriteLog(kStartFailed);
    }
    return started;
}

}  // namespace CompanionLauncher

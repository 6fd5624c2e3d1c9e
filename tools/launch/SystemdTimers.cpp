#include "SystemdTimers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "LaunchLog.h"
#include "platform/WholeFile.h"

namespace {

// A user manager that is up (fully, with a failed unit, or still coming up) accepts timers.
bool IsUpState(const QByteArray& state) {
    return state == "running" || state == "degraded" || state == "starting" ||
           state == "initializing";
}

// "%" starts a specifier in every unit setting, "$" a variable in a command line.
QString EscapeSpecifiers(QString text) {
    return text.replace(QLatin1Char('%'), QLatin1String("%%"));
}

QString QuotedCommandWord(const QString& word) {
    QString quoted = EscapeSpecifiers(word);
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('$'), QLatin1String("$$"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

SystemdTimers::SystemdTimers(QString unitFolder, ExternalTool systemctl)
    : unitFolder_(std::move(unitFolder)), systemctl_(std::move(systemctl)) {}

QString SystemdTimers::DefaultUnitFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/systemd/user");
}

bool SystemdTimers::ManagerRuns() const {
    if (!managerRuns_) {
        const ToolResult answer =
            systemctl_.Run({QStringLiteral("--user"), QStringLiteral("is-system-running")});
        // its exit code is non-zero for "degraded" too, so only the state it prints counts
        managerRuns_ = answer.ran && IsUpState(answer.output.trimmed());
    }
    return *managerRuns_;
}

QByteArray SystemdTimers::TimerUnit(const std::vector<QTime>& startTimesUtc) {
    QByteArray text =
        "[Unit]\n"
        "Description=Scheduled starts of Quilo (written by quilo-launch)\n"
        "\n"
        "[Timer]\n";
    for (const QTime& start : startTimesUtc) {
        text +=
            "OnCalendar=*-*-* " + start.toString(QStringLiteral("HH:mm")).toLatin1() + ":00 UTC\n";
    }
    // a start is due at its minute, not somewhere in the minute after; a start missed while the
    // computer was off is not made up later
    text +=
        "AccuracySec=1s\n"
        "Persistent=false\n"
        "\n"
        "[Install]\n"
        "WantedBy=timers.target\n";
    return text;
}

QByteArray SystemdTimers::ServiceUnit(const QString& installFolder) {
    // Nothing of the desktop is set here. A desktop session hands DISPLAY, XAUTHORITY and
    // WAYLAND_DISPLAY to the user manager when it begins (Debian's Xsession through
    // dbus-update-activation-environment --systemd; GNOME and KDE do the same), and every user
    // service inherits them, so quilo reaches the display the listener is logged in to now,
    // even when it is another one than when the schedule was saved. XDG_RUNTIME_DIR and
    // DBUS_SESSION_BUS_ADDRESS (tray, sound server) come from the manager itself.
    const QString program = installFolder + QStringLiteral("/quilo");
    QString text = QStringLiteral(
                       "[Unit]\n"
                       "Description=Quilo, started for its scheduled playback\n"
                       "\n"
                       "[Service]\n"
                       "WorkingDirectory=%1\n"
                       "ExecStart=%2 /a\n")
                       .arg(EscapeSpecifiers(installFolder), QuotedCommandWord(program));
    // pages and browsers quilo opens stay open when quilo ends: only quilo itself is stopped
    text += QStringLiteral("KillMode=process\n");
    return text.toUtf8();
}

bool SystemdTimers::Install(const QString& installFolder, const std::vector<QTime>& startTimesUtc) {
    if (startTimesUtc.empty()) {
        Say(QStringLiteral("no enabled schedule entry: removing the timer"));
        return Remove();
    }
    if (!QDir().mkpath(unitFolder_) || !WriteUnit(kServiceName, ServiceUnit(installFolder)) ||
        !WriteUnit(kTimerName, TimerUnit(startTimesUtc))) {
        return false;
    }
    const QString timer = QString::fromLatin1(kTimerName);
    // a restart arms the timer with the new times also when it was running with the old ones
    return Systemctl({QStringLiteral("daemon-reload")}) &&
           Systemctl({QStringLiteral("enable"), timer}) &&
           Systemctl({QStringLiteral("restart"), timer});
}

bool SystemdTimers::Remove() {
    const QString timerPath = UnitPath(kTimerName);
    const QString servicePath = UnitPath(kServiceName);
    if (!QFile::exists(timerPath) && !QFile::exists(servicePath)) {
        return true;
    }
    const bool managerRuns = ManagerRuns();
    bool removed = true;
    if (managerRuns) {
        removed = Systemctl(
            {QStringLiteral("disable"), QStringLiteral("--now"), QString::fromLatin1(kTimerName)});
    }
    // with no manager to disable it, the link that enabled the timer goes by hand
    const QString enablingLink =
        unitFolder_ + QStringLiteral("/timers.target.wants/") + QString::fromLatin1(kTimerName);
    for (const QString& path : {timerPath, servicePath, enablingLink}) {
        const QFileInfo file(path);
        if ((file.exists() || file.isSymLink()) && !QFile::remove(path)) {
            Say(QStringLiteral("cannot remove %1").arg(path));
            removed = false;
        }
    }
    if (managerRuns) {
        removed = Systemctl({QStringLiteral("daemon-reload")}) && removed;
    }
    if (removed) {
        Say(QStringLiteral("removed the scheduled starts from the systemd user manager"));
    }
    return removed;
}

bool SystemdTimers::WriteUnit(const char* name, const QByteArray& text) const {
    if (!SaveWholeFile(UnitPath(name), text)) {
        Say(QStringLiteral("cannot write %1").arg(UnitPath(name)));
        return false;
    }
    Say(QStringLiteral("wrote %1").arg(UnitPath(name)));
    return true;
}

bool SystemdTimers::Systemctl(const QStringList& arguments) const {
    const QStringList command = QStringList{QStringLiteral("--user")} + arguments;
    const ToolResult result = systemctl_.Run(command);
    if (!result.Succeeded()) {
        Say(QStringLiteral("systemctl %1 failed: %2")
                .arg(command.join(QLatin1Char(' ')),
                     QString::fromLocal8Bit(result.errors.trimmed())));
        return false;
    }
    Say(QStringLiteral("systemctl %1").arg(command.join(QLatin1Char(' '))));
    return true;
}

QString SystemdTimers::UnitPath(const char* name) const {
    return unitFolder_ + QLatin1Char('/') + QString::fromLatin1(name);
}

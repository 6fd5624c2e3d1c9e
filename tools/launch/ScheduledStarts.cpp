#include "ScheduledStarts.h"

#include <QStringList>

#include "LaunchLog.h"

namespace {

QString Listed(const std::vector<QTime>& times) {
    QStringList texts;
    for (const QTime& time : times) {
        texts << time.toString(QStringLiteral("HH:mm"));
    }
    return texts.isEmpty() ? QStringLiteral("none") : texts.join(QStringLiteral(", "));
}

}  // namespace

ScheduledStarts::ScheduledStarts()
    : systemd_(SystemdTimers::DefaultUnitFolder(),
               ExternalTool(QStringLiteral("systemctl"), "QUILO_LAUNCH_SYSTEMCTL")),
      crontab_(ExternalTool(QStringLiteral("crontab"), "QUILO_LAUNCH_CRONTAB")) {}

bool ScheduledStarts::UseSystemd() const {
    const QString chosen = qEnvironmentVariable("QUILO_LAUNCH_SCHEDULER");
    if (chosen == QLatin1String("systemd") || chosen == QLatin1String("cron")) {
        return chosen == QLatin1String("systemd");
    }
    return systemd_.ManagerRuns();
}

bool ScheduledStarts::Enable(const QString& installFolder, const ScheduleEntries& entries) {
    Say(QStringLiteral("scheduled playback of %1/quilo at %2 (service's clock)")
            .arg(installFolder, Listed(entries.DueTimes())));
    // every start goes in first and the leftovers of the other mechanism go after, so that a
    // failure never leaves the listener with no starts at all
    if (UseSystemd()) {
        const bool installed = systemd_.Install(installFolder, entries.StartTimesUtc());
        const bool cleaned = crontab_.Remove();
        return installed && cleaned;
    }
    if (!crontab_.Available()) {
        Say(
            QStringLiteral("neither a systemd user manager nor crontab is available: "
                           "no scheduled starts"));
        return false;
    }
    Say(QStringLiteral("no systemd user manager runs: using the crontab"));
    const bool installed = crontab_.Install(installFolder, entries.StartTimesLocal());
    const bool cleaned = systemd_.Remove();
    return installed && cleaned;
}

bool ScheduledStarts::Disable() {
    Say(QStringLiteral("removing the scheduled starts"));
    const bool timersGone = systemd_.Remove();
    const bool cronGone = crontab_.Remove();
    return timersGone && cronGone;
}

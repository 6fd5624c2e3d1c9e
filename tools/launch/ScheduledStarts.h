#pragma once

#include <QString>

#include "ScheduleEntries.h"
#include "SystemdTimers.h"
#include "UserCrontab.h"

// The per-user scheduled starts of quilo with "/a": systemd user timers where a user manager
// runs, the user's crontab otherwise. Enabling replaces the previous set wherever it was kept,
// so running it twice leaves the same state; disabling removes every trace from both.
//
// QUILO_LAUNCH_SCHEDULER ("systemd" or "cron") chooses the mechanism without asking the
// manager; QUILO_LAUNCH_SYSTEMCTL and QUILO_LAUNCH_CRONTAB name the programs to drive.
class ScheduledStarts {
public:
    ScheduledStarts();

    bool Enable(const QString& installFolder, const ScheduleEntries& entries);
    bool Disable();

private:
    bool UseSystemd() const;

    SystemdTimers systemd_;
    UserCrontab crontab_;
};

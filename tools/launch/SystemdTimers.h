#pragma once

#include <QByteArray>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

#include "ExternalTool.h"

// Scheduled starts kept by the user's systemd manager: one timer, "quilo-schedule.timer", with a
// calendar line per start time, which starts "quilo-schedule.service", which runs quilo with
// "/a". The two unit files live in the user's own unit folder.
class SystemdTimers {
public:
    SystemdTimers(QString unitFolder, ExternalTool systemctl);

    // $XDG_CONFIG_HOME/systemd/user (default ~/.config/systemd/user).
    static QString DefaultUnitFolder();

    // True when a user manager answers, so that timers can be enabled now (asked once).
    bool ManagerRuns() const;

    // Replaces whatever timer was there with one for these UTC start times of `installFolder`'s
    // quilo; no times at all remove it.
    bool Install(const QString& installFolder, const std::vector<QTime>& startTimesUtc);
    // Stops and removes the timer and its service; true when nothing of them is left.
    bool Remove();

    static QByteArray TimerUnit(const std::vector<QTime>& startTimesUtc);
    static QByteArray ServiceUnit(const QString& installFolder);

    static constexpr const char* kTimerName = "quilo-schedule.timer";
    static constexpr const char* kServiceName = "quilo-schedule.service";

private:
    bool WriteUnit(const char* name, const QByteArray& text) const;
    bool Systemctl(const QStringList& arguments) const;
    QString UnitPath(const char* name) const;

    QString unitFolder_;
    ExternalTool systemctl_;
    mutable std::optional<bool> managerRuns_;
};

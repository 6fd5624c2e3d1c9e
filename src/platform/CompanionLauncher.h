#pragma once

#include <QString>

class ActivityLog;

// The scheduled-start companion, "quilo-launch" beside the program: it arranges for "quilo /a" to
// start at the listener's scheduled times. The program only ever tells it one of two things: the
// installation folder (scheduled starts on, from there) or "/d" (scheduled starts off).
namespace CompanionLauncher {

inline constexpr char kDisableArgument[] = "/d";

// The argument for the companion: the installation folder while scheduled playback is on and the
// folder is known, "/d" otherwise.
QString Argument(bool scheduleOn, const QString& installedDir);

// The companion's path: $QUILO_LAUNCH_PROGRAM when set (another program standing in for it),
// otherwise "quilo-launch" in the program's own folder.
QString ProgramPath();

// Starts the companion with `argument`, detached and without a window of ours, in the current
// working folder. A companion that cannot be started is only written to the log: the listener's
// settings are stored all the same. True when it was started.
bool Start(const QString& argument, ActivityLog& log);

}  // namespace CompanionLauncher

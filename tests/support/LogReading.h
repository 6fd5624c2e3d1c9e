#pragma once

#include <QString>
#include <QStringList>

// The messages of an activity log file, one per line, without their "HH:MM:SS " time stamps.
QStringList LoggedMessages(const QString& logFile);

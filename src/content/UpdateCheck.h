#pragma once

#include <QString>

#include <functional>

class ActivityLog;
class QWidget;

// At every start, before the log-in, the program asks the service's web server whether a newer
// release exists ("/info/setup_info.txt": [VER], [URL], [MSG], [END]). When one does, it fetches
// the release's package into the work folder, asks the listener whether to upgrade, and on yes
// hands the package to the desktop's handler (the package installer) so the program can end
// and be replaced.
//
// The check starts at once; done(true) follows only when the package was handed over (the caller
// then ends the program), done(false) in every other case, including the listener saying no.
// Only a package the desktop would not take is told to the listener; every other failure just
// lets the start go on. The check belongs to owner: when owner goes, so does the check, untold.
using UpdateDone = std::function<void(bool handedOver)>;
void CheckForUpdate(QWidget* owner, ActivityLog& log, const QString& webServer, UpdateDone done);

// The local name of the package at `address`: the last segment of its path, keeping its own
// name and extension (the desktop picks the installer by them). A name the folder cannot hold
// safely (empty, hidden, too long) becomes "setup.exe".
QString SetupFileName(const QString& address);

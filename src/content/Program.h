#pragma once

#include <QPoint>
#include <QString>
#include <array>
#include <cstdint>

#include "content/AppState.h"
#include "content/Config.h"
#include "platform/ActivityLog.h"
#include "platform/CPrefStore.h"
#include "skin/SkinInfo.h"
#include "windows/CTrayIcon.h"

// The logged-in listener.
struct LoginInfo {
    QString userId;
    QString password;
    QString userName;
};

// Which face the listener has: the main or the mini window, shown or hidden in the tray.
enum ViewMode : int {
    kViewMainShown = 0,
    kViewMainHidden = 1,
    kViewMiniShown = 2,
    kViewMiniHidden = 3,
};

// The objects that live for the whole run, created before the start sequence and shared by the
// windows. The activity log comes first, so its file exists before anything else happens.
class Program {
public:
    Program() = default;
    explicit Program(const QString& commandLine_) : commandLine(commandLine_) {}

    ActivityLog log;
    CPrefStore prefs;
    Config config = Config::Load();
    SkinInfo skin;
    LoginInfo login;
    // the log-in dialog's top-left when the log-in succeeded; (-1, -1) means none
    QPoint loginPosition{-1, -1};
    // what is on air; reset to its defaults when the main window is built
    AppState state;
    int viewMode = kViewMainShown;
    // the schedule option as read at start with "/a"; set means "do not play, wait hidden"
    int scheduledStart = 0;
    int scheduleOption = 0;
    int skinChanging = 0;
    std::array<uint8_t, CPrefStore::kScheduleSize> schedule{};
    // the whole command line after the program's name, as one text
    QString commandLine;
    // the icon in the notification area, added by the main window
    CTrayIcon tray{*this};
};

#pragma once

#include <QPoint>
#include <QString>
#include <memory>

#include "content/AppState.h"
#include "content/Config.h"
#include "content/PlayerModel.h"
#include "platform/ActivityLog.h"
#include "platform/CPrefStore.h"
#include "skin/SkinInfo.h"
#include "web/CWebRequestDlg.h"
#include "web/LoginInfo.h"

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
    // the one channel of every request that carries the listener's identity; made before the
    // log-in and closed with the main window
    std::unique_ptr<CWebRequestDlg> webRequest;
    // the log-in dialog's top-left when the log-in succeeded; none means the saved position
    std::optional<QPoint> loginPosition;
    // what the listener sees and changes, the program on air included; reset when the main
    // window is built
    PlayerModel player;
    // started with "/a" while scheduled playback is on: do not play, wait hidden
    bool scheduledStart = false;
    bool scheduleOption = false;
    // set while a skin switch re-places the controls: the sprites wait
    bool skinChanging = false;
    ScheduleBytes schedule{};
    // the whole command line after the program's name, as one text
    QString commandLine;
};

#pragma once

#include <QObject>
#include <QPointer>

#include "platform/SingleInstance.h"

class CMainDlg;
class Program;

// The program's start: banner, single copy, the scheduled-start argument, the skin, the log-in
// and then the main window, run until it ends. Every way out ends the program; the start never
// shows a message box of its own, only the log records why it ended.
class CQuiloApp : public QObject {
    Q_OBJECT

public:
    explicit CQuiloApp(Program& program);

    // The whole start sequence; returns when the program is to end. Always 0.
    int InitInstance();

    // SIGTERM, SIGINT, the end of the session: the running window ends as its close command
    // does, without asking.
    void EndWithoutAsking();

private:
    bool IsScheduledStartDiscarded();
    bool ChooseSkin();
    bool LogIn();
    void RunMainWindow();

    Program& program_;
    SingleInstance singleInstance_;
    QPointer<CMainDlg> runningWindow_;
    bool ending_ = false;
};

#pragma once

#include <QObject>
#include <memory>

#include "platform/SingleInstance.h"

class CMainDlg;
class DesktopBus;
class Program;

// The program's start and end: banner, single copy, the scheduled-start argument, the skin, the
// log-in and then the main window, which the application's event loop runs until it closes.
// Every way out ends the program; the start never shows a message box of its own, only the log
// records why it ended.
class CQuiloApp : public QObject {
    Q_OBJECT

public:
    explicit CQuiloApp(Program& program);
    ~CQuiloApp() override;

    // The start sequence up to the main window on screen. False when the program is to end at
    // once; true when the event loop should run (it ends when the main window closes).
    bool InitInstance();
    // After the event loop: the closing banner.
    void ExitInstance();

    // SIGTERM, SIGINT, the end of the session: whatever menu or dialog is open closes, and the
    // main window ends as its close command does, without asking.
    void EndWithoutAsking();

private:
    bool ListenForLaterCopies();
    void OnActivationRequested();
    bool IsScheduledStartDiscarded();
    bool ChooseSkin();
    bool LogIn();
    bool OpenMainWindow();

    Program& program_;
    SingleInstance singleInstance_;
    // a top-level window, which has no Qt parent
    std::unique_ptr<CMainDlg> mainWindow_;
    // on the session bus while the main window is open; held here, not parented, so that it goes
    // before the window
    std::unique_ptr<DesktopBus> desktopBus_;
    bool ending_ = false;
};

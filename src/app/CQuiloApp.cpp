#include "app/CQuiloApp.h"

#include "app/StartupSkin.h"
#include "content/Program.h"
#include "dialogs/CLoginDlg.h"
#include "platform/LogMessages.h"
#include "windows/CMainDlg.h"

CQuiloApp::CQuiloApp(Program& program) : program_(program) {}

int CQuiloApp::InitInstance() {
    program_.log.WriteLog(LogText::kStartBanner);
    if (SingleInstance::SignalRunningCopy()) {
        program_.log.WriteLog(LogText::kAlreadyRunning);
        return 0;
    }
    if (IsScheduledStartDiscarded()) {
        program_.log.WriteLog(LogText::kScheduleReleased);
        return 0;
    }
    if (!ChooseSkin()) {
        program_.log.WriteLog(LogText::kNoSkinName);
        return 0;
    }
    if (!program_.skin.Load(program_.skin.Name())) {
        program_.log.WriteLog(LogText::kNoSkinInfo);
        return 0;
    }
    program_.loginPosition = QPoint(-1, -1);
    if (!LogIn()) {
        program_.log.WriteLog(LogText::kLoginFailed);
        return 0;
    }
    RunMainWindow();
    program_.log.WriteLog(LogText::kCloseBanner);
    return 0;
}

void CQuiloApp::EndWithoutAsking() {
    ending_ = true;
    if (runningWindow_ != nullptr) {
        runningWindow_->CloseWithoutAsking();
    }
}

// Only the exact text "/a" is a scheduled start; it is honoured while scheduled playback is on.
bool CQuiloApp::IsScheduledStartDiscarded() {
    if (program_.commandLine != QStringLiteral("/a")) {
        return false;
    }
    int scheduleOn = 0;
    program_.prefs.GetOptionSchedule(scheduleOn);
    program_.scheduledStart = scheduleOn;
    return scheduleOn == 0;
}

bool CQuiloApp::ChooseSkin() {
    QString name;
    if (!ChooseStartupSkin(program_.prefs, name)) {
        return false;
    }
    program_.skin.SetName(name);
    return true;
}

bool CQuiloApp::LogIn() {
    CLoginDlg login(program_);
    const bool succeeded = login.DoModal() != 0 && login.Succeeded();
    program_.login.userId = login.UserId();
    program_.login.password = login.Password();
    program_.login.userName = login.UserName();
    program_.loginPosition = login.TopLeft();
    return succeeded && !ending_;
}

void CQuiloApp::RunMainWindow() {
    CMainDlg mainWindow(program_);
    runningWindow_ = &mainWindow;
    singleInstance_.Listen(&mainWindow);
    if (!ending_) {
        mainWindow.DoModal();
    }
    singleInstance_.StopListening();
    runningWindow_ = nullptr;
}

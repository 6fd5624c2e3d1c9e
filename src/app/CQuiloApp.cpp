#include "app/CQuiloApp.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>

#include "app/DesktopBus.h"
#include "app/StartupSkin.h"
#include "content/Program.h"
#include "dialogs/CLoginDlg.h"
#include "platform/LogMessages.h"
#include "platform/Screen.h"
#include "web/CWebRequestDlg.h"
#include "windows/CMainDlg.h"

namespace {

// Menus and modal dialogs run event loops of their own; closing them lets the code that opened
// them carry on, so nothing still waits for the listener when the program ends.
void CloseMenusAndDialogs(const QWidget* mainWindow) {
    while (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(window);
        if (dialog != nullptr && dialog != mainWindow && dialog->isVisible() && dialog->isModal()) {
            dialog->reject();
        }
    }
}

}  // namespace

CQuiloApp::CQuiloApp(Program& program) : program_(program) {}

CQuiloApp::~CQuiloApp() = default;

bool CQuiloApp::InitInstance() {
    program_.log.WriteLog(LogText::kStartBanner);
    // listening from here on, so that a copy started during the log-in finds this one
    if (SingleInstance::SignalRunningCopy() || !ListenForLaterCopies()) {
        program_.log.WriteLog(LogText::kAlreadyRunning);
        return false;
    }
    if (IsScheduledStartDiscarded()) {
        program_.log.WriteLog(LogText::kScheduleReleased);
        return false;
    }
    if (!ChooseSkin()) {
        program_.log.WriteLog(LogText::kNoSkinName);
        return false;
    }
    if (!program_.skin.Load(program_.skin.Name())) {
        program_.log.WriteLog(LogText::kNoSkinInfo);
        return false;
    }
    program_.loginPosition.reset();
    if (!LogIn()) {
        program_.log.WriteLog(LogText::kLoginFailed);
        return false;
    }
    return OpenMainWindow();
}

void CQuiloApp::ExitInstance() {
    singleInstance_.StopListening();
    program_.log.WriteLog(LogText::kCloseBanner);
}

void CQuiloApp::EndWithoutAsking() {
    ending_ = true;
    CloseMenusAndDialogs(mainWindow_.get());
    if (mainWindow_ != nullptr) {
        // after the closed menus and dialogs have returned to the code that opened them
        QMetaObject::invokeMethod(mainWindow_.get(), &CMainDlg::CloseWithoutAsking,
                                  Qt::QueuedConnection);
    }
}

// Only the exact text "/a" is a scheduled start; it is honoured while scheduled playback is on.
bool CQuiloApp::IsScheduledStartDiscarded() {
    if (program_.commandLine != QStringLiteral("/a")) {
        return false;
    }
    program_.scheduledStart = program_.prefs.GetOptionSchedule();
    return !program_.scheduledStart;
}

bool CQuiloApp::ChooseSkin() {
    QString name;
    if (!ChooseStartupSkin(program_.prefs, name)) {
        return false;
    }
    program_.skin.SetName(name);
    return true;
}

// The request channel comes first: the log-in goes through it, and so does everything after it
// that carries the listener's identity. A log-in that does not succeed takes it away again.
bool CQuiloApp::LogIn() {
    program_.webRequest = std::make_unique<CWebRequestDlg>(
        program_.log, WebAddresses{program_.config.webServer, program_.config.mainSite},
        program_.login);
    bool succeeded = false;
    {
        CLoginDlg login(program_, *program_.webRequest);
        login.exec();
        program_.login.userId = login.UserId();
        program_.login.password = login.Password();
        succeeded = login.HasSucceeded() && !ending_;
        // the main window opens where the log-in stood, on a desktop where windows know it
        if (succeeded && WindowsPlaceThemselves()) {
            program_.loginPosition = login.TopLeft();
        }
    }
    if (!succeeded) {
        program_.webRequest.reset();
    }
    return succeeded;
}

bool CQuiloApp::ListenForLaterCopies() {
    connect(&singleInstance_, &SingleInstance::activationRequested, this,
            &CQuiloApp::OnActivationRequested);
    return singleInstance_.Listen();
}

// A later copy was started: the main window comes forward, or the log-in dialog while the
// listener has not logged in yet.
void CQuiloApp::OnActivationRequested() {
    if (mainWindow_ != nullptr) {
        mainWindow_->ActivateInstance();
    } else if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialog->raise();
        dialog->activateWindow();
    }
}

bool CQuiloApp::OpenMainWindow() {
    mainWindow_ = std::make_unique<CMainDlg>(program_);
    connect(mainWindow_.get(), &QDialog::finished, qApp, &QCoreApplication::quit,
            Qt::QueuedConnection);
    if (!mainWindow_->Open()) {
        return false;
    }
    desktopBus_ = std::make_unique<DesktopBus>(program_, *mainWindow_);
    desktopBus_->Join();
    return true;
}

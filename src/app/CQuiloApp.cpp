#include "app/CQuiloApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/LogMessages.h"
#include "app/Program.h"
#include "dialogs/CLoginDlg.h"
#include "windows/CMainDlg.h"

namespace {
const QString kSkinsFolder = QStringLiteral("./Skins");
const QString kDefaultSkin = QStringLiteral("Quilo2");
const QString kFirstRunMarker = QStringLiteral("./First");

bool IsSkinFolder(const QString& name) { return QFileInfo(kSkinsFolder + u'/' + name).isDir(); }
}  // namespace

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
        runningWindow_->EndDialog(0);
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
    program_.prefs.GetSkin(name);
    if (!name.isEmpty()) {
        // the first run after an update moves listeners of the old default skin to the new one
        if (QFileInfo::exists(kFirstRunMarker)) {
            QFile::remove(kFirstRunMarker);
            if (name.compare(QStringLiteral("Quilo"), Qt::CaseInsensitive) == 0) {
                name = kDefaultSkin;
            }
        }
        if (IsSkinFolder(name)) {
            program_.skin.SetName(name);
            return true;
        }
    }
    return ChooseFallbackSkin();
}

// The default skin, or else the first skin folder the file system lists, saved at once.
bool CQuiloApp::ChooseFallbackSkin() {
    if (IsSkinFolder(kDefaultSkin)) {
        program_.skin.SetName(kDefaultSkin);
        return true;
    }
    const QStringList folders =
        QDir(kSkinsFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted);
    if (folders.isEmpty()) {
        return false;
    }
    program_.skin.SetName(folders.first());
    program_.prefs.SetSkin(folders.first());
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

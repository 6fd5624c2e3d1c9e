// The commands of the player's menus that open a dialog or a page.

#include <algorithm>

#include "content/Program.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CInfoDlg.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/CSkinDlg.h"
#include "windows/CMainDlg.h"

void CMainDlg::Settings() {
    CSettingsDlg settings(program_, this);
    const bool accepted = settings.exec() == QDialog::Accepted;
    update();
    if (!accepted) {
        return;
    }
    if (settings.AutoLogin()) {
        program_.prefs.SetID(program_.login.userId);
        program_.prefs.SetPW(program_.login.password);
    }
    program_.prefs.SetOptionAutoLogin(settings.AutoLogin());
    topMost_ = settings.TopMost();
    ApplyTopMost();
    program_.prefs.SetOptionTopMost(topMost_);
    const bool anyEntry = std::any_of(program_.schedule.begin(), program_.schedule.end(),
                                      [](uint8_t byte) { return byte != 0xFF; });
    program_.scheduleOption = settings.Schedule() && anyEntry;
    program_.prefs.SetOptionSchedule(program_.scheduleOption);
    program_.prefs.SetSchedule(program_.schedule);
}

// A double-click in the chooser wears the skin at once; OK wears the one selected. The face in
// use is the chooser's owner; a switch dresses both faces.
void CMainDlg::ChooseSkin() {
    CSkinDlg chooser(program_, VisibleFace());
    connect(&chooser, &CSkinDlg::changeSkin, this, &CMainDlg::SwitchSkin);
    chooser.exec();
    update();
    if (chooser.Confirmed()) {
        SwitchSkin(chooser.ChosenName());
    }
}

void CMainDlg::ShowVersion() {
    CAboutDlg about(program_, web_, VisibleFace());
    about.exec();
    update();
}

void CMainDlg::OpenTodaysPrograms() {
    web_.OpenWebPage(
        this, program_.config.mainSite + QStringLiteral("/Schedule/Schedule_List.asp?category=004"),
        program_.login.userId, program_.login.password);
}

// One info dialog at a time; it is the main window's until its close button deletes it.
void CMainDlg::OpenProgramInfo() {
    const auto* open = findChild<CInfoDlg*>(QString(), Qt::FindDirectChildrenOnly);
    if (open != nullptr && !open->isHidden()) {
        return;
    }
    (new CInfoDlg(program_, this, VisibleFace()))->Open();
    update();
}

// The commands of the player's menus that open a dialog or a page.

#include "content/Program.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CInfoDlg.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/CSkinDlg.h"
#include "dialogs/SettingsApply.h"
#include "windows/CMainDlg.h"

void CMainDlg::Settings() {
    CSettingsDlg settings(program_, VisibleFace());
    settings.exec();
    repaint();
    if (!settings.IsConfirmed()) {
        return;
    }
    ApplySettings(program_, settings.OptionFlags(), VisibleFace(), [this](bool topMost) {
        topMost_ = topMost;
        ApplyTopMost();
    });
}

// A double-click in the chooser wears the skin at once; OK wears the one selected. The face in
// use is the chooser's owner; a switch dresses both faces.
void CMainDlg::ChooseSkin() {
    CSkinDlg chooser(program_, VisibleFace());
    connect(&chooser, &CSkinDlg::changeSkin, this, &CMainDlg::SwitchSkin);
    chooser.exec();
    update();
    if (chooser.IsConfirmed()) {
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

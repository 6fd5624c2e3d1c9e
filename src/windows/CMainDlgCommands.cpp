// The commands of the player's menus that open a dialog or a page.

#include <QDir>
#include <QInputDialog>
#include <QMessageBox>

#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "platform/DesktopOpen.h"
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

void CMainDlg::ChooseSkin() {
    QStringList skins =
        QDir(QStringLiteral("./Skins")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    bool chosen = false;
    const QString name = QInputDialog::getItem(
        this, QStringLiteral("Quilo"), StringTable::Load(StringId::kChangeSkin), skins,
        static_cast<int>(skins.indexOf(program_.skin.Name())), false, &chosen);
    update();
    if (chosen) {
        SwitchSkin(name);
    }
}

void CMainDlg::ShowVersion() {
    QMessageBox::about(
        this, QStringLiteral("Quilo"),
        StringTable::Load(StringId::kVersionText)
            .replace(QStringLiteral("%s"), StringTable::Load(StringId::kVersionNumber)));
    update();
}

void CMainDlg::OpenTodaysPrograms() {
    OpenWithDesktop(program_.config.mainSite +
                    QStringLiteral("/Schedule/Schedule_List.asp?category=004"));
}

void CMainDlg::OpenProgramInfo() {
    QMessageBox::information(this, program_.state.title, program_.state.contents);
    update();
}

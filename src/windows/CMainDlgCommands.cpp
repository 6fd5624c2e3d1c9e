// The commands of the player's menus that open a dialog or a page.

#include <QDir>
#include <QInputDialog>
#include <QMessageBox>

#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/SettingsApply.h"
#include "platform/DesktopOpen.h"
#include "windows/CMainDlg.h"

void CMainDlg::Settings() {
    CSettingsDlg settings(program_, VisibleFace());
    settings.exec();
    repaint();
    if (!settings.Confirmed()) {
        return;
    }
    ApplySettings(program_, settings.OptionFlags(), [this](bool topMost) {
        topMost_ = topMost;
        ApplyTopMost();
    });
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

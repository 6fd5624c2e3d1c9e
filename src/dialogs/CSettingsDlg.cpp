#include "dialogs/CSettingsDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "content/Program.h"

CSettingsDlg::CSettingsDlg(Program& program, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Quilo"));
    autoLogin_ = new QCheckBox(QStringLiteral("Log in automatically"), this);
    topMost_ = new QCheckBox(QStringLiteral("Always on top"), this);
    schedule_ = new QCheckBox(QStringLiteral("Scheduled playback"), this);
    int on = 0;
    program.prefs.GetOptionAutoLogin(on);
    autoLogin_->setChecked(on != 0);
    program.prefs.GetOptionTopMost(on);
    topMost_->setChecked(on != 0);
    schedule_->setChecked(program.scheduleOption != 0);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(autoLogin_);
    layout->addWidget(topMost_);
    layout->addWidget(schedule_);
    layout->addWidget(buttons);
}

int CSettingsDlg::DoModal() {
    return exec() == QDialog::Accepted ? 1 : 2;
}

int CSettingsDlg::OptionBits() const {
    return (autoLogin_->isChecked() ? kAutoLogin : 0) | (topMost_->isChecked() ? kTopMost : 0) |
           (schedule_->isChecked() ? kSchedule : 0);
}

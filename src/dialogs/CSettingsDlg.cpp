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
    autoLogin_->setChecked(program.prefs.GetOptionAutoLogin());
    topMost_->setChecked(program.prefs.GetOptionTopMost());
    schedule_->setChecked(program.scheduleOption);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(autoLogin_);
    layout->addWidget(topMost_);
    layout->addWidget(schedule_);
    layout->addWidget(buttons);
}

bool CSettingsDlg::AutoLogin() const {
    return autoLogin_->isChecked();
}

bool CSettingsDlg::TopMost() const {
    return topMost_->isChecked();
}

bool CSettingsDlg::Schedule() const {
    return schedule_->isChecked();
}

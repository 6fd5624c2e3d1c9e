#pragma once

#include <QDialog>

class Program;
class QCheckBox;

// The listener's options: log in without asking, keep the player on top, scheduled playback.
// For now a plain dialog of three check boxes; the skinned dialog with the schedule editor takes
// its place.
class CSettingsDlg : public QDialog {
    Q_OBJECT

public:
    CSettingsDlg(Program& program, QWidget* parent);

    bool AutoLogin() const;
    bool TopMost() const;
    bool Schedule() const;

private:
    QCheckBox* autoLogin_;
    QCheckBox* topMost_;
    QCheckBox* schedule_;
};

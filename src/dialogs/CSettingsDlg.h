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
    enum OptionBit { kAutoLogin = 1, kTopMost = 2, kSchedule = 4 };

    CSettingsDlg(Program& program, QWidget* parent);

    // 1 (OK) or 2 (cancel).
    int DoModal();
    int OptionBits() const;

private:
    QCheckBox* autoLogin_;
    QCheckBox* topMost_;
    QCheckBox* schedule_;
};

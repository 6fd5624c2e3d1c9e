#pragma once

#include <array>

#include "dialogs/ScheduleRows.h"
#include "platform/CPrefStore.h"
#include "skin/CSkinDialog.h"

class CSkinButton;
class Program;
class QCheckBox;
class QComboBox;
class QLineEdit;

// The nine times of day at which the program starts playing by itself. Each row is a tick box
// (the time is in use), an AM/PM list and the hour and minute fields; the skin draws the face
// and the OK, Cancel and program-list buttons. The dialog edits a copy of the schedule: the
// caller takes the copy back only when IsConfirmed().
class CScheduleDlg : public CSkinDialog {
    Q_OBJECT

public:
    // The dialog opens left of `owner`, top edges level.
    CScheduleDlg(Program& program, const ScheduleBytes& schedule, QWidget* owner);

    // Without the skin's background the listener is told the program's files are damaged and
    // the dialog ends at once, unconfirmed.
    int exec() override;

    bool IsConfirmed() const { return confirmed_; }
    const ScheduleBytes& Schedule() const { return schedule_; }

    QCheckBox& EnableBox(int row) const { return *rows_.at(row).enable; }
    QComboBox& DayHalfList(int row) const { return *rows_.at(row).dayHalf; }
    QLineEdit& HourField(int row) const { return *rows_.at(row).hour; }
    QLineEdit& MinuteField(int row) const { return *rows_.at(row).minute; }
    CSkinButton& OkButton() const { return *okButton_; }
    CSkinButton& CancelButton() const { return *cancelButton_; }
    CSkinButton& ProgramListButton() const { return *listButton_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct RowControls {
        QCheckBox* enable = nullptr;
        QComboBox* dayHalf = nullptr;
        QLineEdit* hour = nullptr;
        QLineEdit* minute = nullptr;
    };

    void CreateRows();
    void CreateButtons();
    void PlaceBeside(const QWidget* owner);
    void FillRows();
    void ShowRow(const RowControls& controls, const ScheduleRow& row);
    ScheduleRow ReadRow(const RowControls& controls) const;
    void ClampField(QLineEdit& field);
    void StoreRows();
    void OpenProgramList();

    Program& program_;
    ScheduleBytes schedule_;
    std::array<RowControls, ScheduleRows::kRowCount> rows_;
    CSkinButton* okButton_ = nullptr;
    CSkinButton* cancelButton_ = nullptr;
    CSkinButton* listButton_ = nullptr;
    bool confirmed_ = false;
};

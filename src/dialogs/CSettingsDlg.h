#pragma once

#include <cstdint>

#include "platform/CPrefStore.h"
#include "skin/CSkinDialog.h"

class CSkinButton;
class Program;
struct DialogButtonKey;

// The listener's options: log in without asking, keep the player on top, scheduled playback,
// and the button that opens the schedule's times. Every control is a skin bitmap placed by its
// key; a skin without a check box's key leaves that option off. The dialog only gathers the
// choices: once it was confirmed, the caller stores and applies them (OptionFlags), and the
// edited schedule has become the program's when scheduled playback was ticked.
class CSettingsDlg : public CSkinDialog {
    Q_OBJECT

public:
    enum OptionFlag : uint8_t { kAutoLogin = 1, kTopMost = 2, kSchedule = 4 };

    // The dialog opens right of `owner`, top edges level.
    CSettingsDlg(Program& program, QWidget* owner);

    // Without the skin's background the listener is told the program's files are damaged and
    // the dialog ends at once, cancelled.
    int exec() override;

    bool IsConfirmed() const { return confirmed_; }
    uint8_t OptionFlags() const { return optionFlags_; }
    // the schedule as edited so far; the program's own until confirmed with scheduled playback
    const ScheduleBytes& WorkingSchedule() const { return workingSchedule_; }

    CSkinButton& AutoLoginBox() const { return *autoLogin_; }
    CSkinButton& TopMostBox() const { return *topMost_; }
    CSkinButton& ScheduleBox() const { return *schedule_; }
    CSkinButton& ScheduleButton() const { return *scheduleButton_; }
    CSkinButton& OkButton() const { return *okButton_; }
    CSkinButton& CancelButton() const { return *cancelButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateButtons();
    void PlaceBeside(const QWidget* owner);
    void PlaceButtons();
    void PlaceOptionBox(CSkinButton& box, const DialogButtonKey& place, OptionFlag flag, bool on);
    void OnOptionClicked(OptionFlag flag, bool on);
    void EditSchedule();
    void Confirm();

    Program& program_;
    ScheduleBytes workingSchedule_;
    CSkinButton* autoLogin_ = nullptr;
    CSkinButton* topMost_ = nullptr;
    CSkinButton* schedule_ = nullptr;
    CSkinButton* scheduleButton_ = nullptr;
    CSkinButton* okButton_ = nullptr;
    CSkinButton* cancelButton_ = nullptr;
    uint8_t optionFlags_ = 0;
    bool confirmed_ = false;
};

#include "dialogs/SettingsApply.h"

#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/ScheduleRows.h"
#include "platform/CompanionLauncher.h"
#include "platform/MessageBox.h"

namespace {

void ToldIfNotSaved(QWidget* owner, bool saved) {
    if (!saved) {
        ShowMessage(owner, StringId::kSettingsNotSaved, MessageIcon::Error);
    }
}

}  // namespace

void ApplySettings(Program& program, uint8_t optionFlags, QWidget* owner,
                   const std::function<void(bool topMost)>& applyTopMost) {
    CPrefStore& prefs = program.prefs;
    const bool autoLogin = (optionFlags & CSettingsDlg::kAutoLogin) != 0;
    bool saved = true;
    if (autoLogin) {
        saved = prefs.SetID(program.login.userId) && saved;
    }
    saved = prefs.SetOptionAutoLogin(autoLogin) && saved;

    const bool topMost = (optionFlags & CSettingsDlg::kTopMost) != 0;
    applyTopMost(topMost);
    saved = prefs.SetOptionTopMost(topMost) && saved;

    program.scheduleOption =
        (optionFlags & CSettingsDlg::kSchedule) != 0 && ScheduleRows::HasEntry(program.schedule);
    const bool scheduleSaved =
        prefs.SetOptionSchedule(program.scheduleOption) && prefs.SetSchedule(program.schedule);
    // the companion reads the schedule from the file: one it could not store would start the
    // player at times the listener never chose, or at none
    if (scheduleSaved) {
        CompanionLauncher::Start(
            CompanionLauncher::Argument(program.scheduleOption, prefs.GetInstalledDir()),
            program.log);
    }
    saved = saved && scheduleSaved;
    if (!autoLogin) {
        ToldIfNotSaved(owner, saved);
        return;
    }
    // the secret store may take a moment: the listener hears of a failure once it has answered
    prefs.SetPW(program.login.password, owner,
                [owner, saved](bool kept) { ToldIfNotSaved(owner, saved && kept); });
}

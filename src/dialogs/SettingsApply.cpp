#include "dialogs/SettingsApply.h"

#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/ScheduleRows.h"
#include "platform/CompanionLauncher.h"
#include "platform/MessageBox.h"

bool ApplySettings(Program& program, uint8_t optionFlags, QWidget* owner,
                   const std::function<void(bool topMost)>& applyTopMost) {
    CPrefStore& prefs = program.prefs;
    const bool autoLogin = (optionFlags & CSettingsDlg::kAutoLogin) != 0;
    bool saved = true;
    if (autoLogin) {
        saved = prefs.SetID(program.login.userId) && saved;
        saved = prefs.SetPW(program.login.password) && saved;
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
    if (!saved || !scheduleSaved) {
        ShowMessage(owner, StringId::kSettingsNotSaved, MessageIcon::Error);
        return false;
    }
    return true;
}

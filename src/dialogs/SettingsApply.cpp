#include "dialogs/SettingsApply.h"

#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "dialogs/ScheduleRows.h"
#include "platform/CompanionLauncher.h"

void ApplySettings(Program& program, uint8_t optionFlags,
                   const std::function<void(bool topMost)>& applyTopMost) {
    CPrefStore& prefs = program.prefs;
    const bool autoLogin = (optionFlags & CSettingsDlg::kAutoLogin) != 0;
    if (autoLogin) {
        prefs.SetID(program.login.userId);
        prefs.SetPW(program.login.password);
    }
    prefs.SetOptionAutoLogin(autoLogin);

    const bool topMost = (optionFlags & CSettingsDlg::kTopMost) != 0;
    applyTopMost(topMost);
    prefs.SetOptionTopMost(topMost);

    program.scheduleOption =
        (optionFlags & CSettingsDlg::kSchedule) != 0 && ScheduleRows::HasEntry(program.schedule);
    prefs.SetOptionSchedule(program.scheduleOption);
    prefs.SetSchedule(program.schedule);

    CompanionLauncher::Start(
        CompanionLauncher::Argument(program.scheduleOption, prefs.GetInstalledDir()), program.log);
}

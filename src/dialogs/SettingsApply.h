#pragma once

#include <cstdint>
#include <functional>

class Program;
class QWidget;

// What the settings command does once the listener confirmed the settings dialog with these
// option flags (CSettingsDlg::OptionFlag), in this order:
// - automatic log-in: on saves the ID and password of the current log-in; off keeps whatever is
//   saved and only switches the option off;
// - always on top: `applyTopMost` puts the face in use into the top-most band or out of it at
//   once, and the option is saved;
// - scheduled playback: on only when ticked and at least one of the nine times is set; the
//   option and the schedule are saved either way;
// - the scheduled-start companion is told the installation folder while scheduled playback is
//   on, "/d" otherwise, but only once the schedule is stored.
// When any of it could not be saved (a full disk, a preferences file in the way) the listener is
// told in a box owned by `owner`; the password may be stored a moment later than the rest, when
// the desktop's secret store has answered.
void ApplySettings(Program& program, uint8_t optionFlags, QWidget* owner,
                   const std::function<void(bool topMost)>& applyTopMost);

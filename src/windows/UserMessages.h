#pragma once

// The private window messages the windows of the program exchange. The values are fixed: the
// framework's user-message base is 0x400. What a message carries beyond its two numbers travels
// in its payload: a skin name (UM_CHANGE_SKIN, UM_MINI_CHANGE_SKIN), the mini window's screen
// rectangle (UM_RESTORE_MAIN), the ticker's text and link as a two-item list (UM_TICKER_TEXT,
// UM_MINI_TICKER).
constexpr unsigned WM_USER = 0x400;

constexpr unsigned UM_TRAY_NOTIFY = WM_USER + 10;        // tray icon -> main window
constexpr unsigned UM_ACTIVATE_INSTANCE = WM_USER + 11;  // second copy -> running main window
constexpr unsigned UM_CHANGE_SKIN = WM_USER + 20;        // skin chooser -> main window
constexpr unsigned UM_MINI_COMMAND = WM_USER + 30;       // mini window -> main window
constexpr unsigned UM_MINI_CHANGE_SKIN = WM_USER + 31;   // main window -> mini window
constexpr unsigned UM_RESTORE_MAIN = WM_USER + 32;       // mini window -> main window
constexpr unsigned UM_MINI_TICKER = WM_USER + 33;        // main window -> mini window
constexpr unsigned UM_BRING_TO_FRONT = WM_USER + 40;     // tray icon -> main window
constexpr unsigned UM_PROGRAM_CHANGED = WM_USER + 50;    // program-table window -> main window
constexpr unsigned UM_LINKS_CHANGED = WM_USER + 51;
constexpr unsigned UM_PROGRAM_CLEARED = WM_USER + 52;
constexpr unsigned UM_LINKS_CLEARED = WM_USER + 53;
constexpr unsigned UM_REFRESH_PROGRAM = WM_USER + 54;    // main window -> program-table window
constexpr unsigned UM_TICKER_TEXT = WM_USER + 55;        // program-table window -> main window
constexpr unsigned UM_SCHEDULE_FIRE = WM_USER + 57;      // program-table window -> main window
constexpr unsigned UM_INFO_CLOSED = WM_USER + 60;        // program info dialog -> main window
constexpr unsigned UM_SKINBUTTON_CLICK = WM_USER + 560;  // bitmap button -> its parent
constexpr unsigned UM_SLIDER_TRACK = 0x28D1;             // volume slider -> its parent, dragging
constexpr unsigned UM_SLIDER_SET = 0x28D2;               // volume slider -> its parent, settled

static_assert(UM_SKINBUTTON_CLICK == 0x630);
static_assert(UM_SCHEDULE_FIRE == 0x439);

#pragma once

#include <QByteArray>
#include <memory>
#include <optional>

#include "skin/CNewMenu.h"

// The player's commands, as its menus and buttons send them to the main window.
namespace MenuCommand {
constexpr int kHideShow = 32772;
constexpr int kPlay = 32773;
constexpr int kStop = 32774;
constexpr int kSettings = 32775;
constexpr int kClose = 32776;
constexpr int kView = 32777;
constexpr int kSkins = 32778;
constexpr int kVersion = 32779;
constexpr int kTodaysPrograms = 32791;
}  // namespace MenuCommand

// What the player's menu shows depends on.
struct PlayerMenuState {
    // the visible face is hidden to the tray: the first item offers "Show" instead of "Hide"
    bool faceHidden = false;
    // the program on air also runs on the visual stream: "Seeing Radio" can be chosen
    bool hasVisualStream = false;
};

// The images of the player's commands are the program's toolbar 128.
constexpr int kPlayerToolbarId = 128;
// The toolbar of the program's resources with that id; none for an unknown id.
std::optional<MenuToolbar> MenuToolbarResource(int toolbarId);

// The pop-up menu of the tray icon and of the main and mini faces: its items by position,
// "[MENU_COL]" of the skin text as the title colour when present, the side title "Quilo" and the
// images of the toolbar.
std::unique_ptr<CNewMenu> MakePlayerMenu(const PlayerMenuState& state, const QByteArray& skinText,
                                         int toolbarId = kPlayerToolbarId);

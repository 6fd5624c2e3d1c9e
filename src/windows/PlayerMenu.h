#pragma once

#include <QByteArray>
#include <memory>

#include "skin/CNewMenu.h"

class PlayerActions;

// The images of the player's commands: the program's toolbar, one 16 x 15 image per command.
MenuToolbar PlayerToolbar();

// The pop-up menu of the tray icon and of the main and mini faces: the player's actions in their
// order with separators, the sleep timer's choices in a submenu after Stop, "[MENU_COL]" of the
// skin text as the title colour when present, the side title "Quilo" and the images of the toolbar.
// Set the actions' state (Update) first.
std::unique_ptr<CNewMenu> MakePlayerMenu(PlayerActions& actions, const QByteArray& skinText);

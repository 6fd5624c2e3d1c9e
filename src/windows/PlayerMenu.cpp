#include "windows/PlayerMenu.h"

#include "platform/KeyNumbers.h"
#include "platform/StringTable.h"
#include "skin/ColorKey.h"
#include "windows/PlayerActions.h"

namespace {
constexpr unsigned kSideGradientTitle = CNewMenu::kTitleAtSide | CNewMenu::kTitleGradient;
}  // namespace

MenuToolbar PlayerToolbar() {
    return MenuToolbar{
        QStringLiteral(":/res/toolbar128.bmp"),
        QSize(16, 15),
        {PlayerActions::kHideShow, PlayerActions::kView, PlayerActions::kTodaysPrograms,
         PlayerActions::kPlay, PlayerActions::kStop, PlayerActions::kSettings,
         PlayerActions::kSkins, PlayerActions::kVersion, PlayerActions::kClose},
        kSkinColorKey,
    };
}

std::unique_ptr<CNewMenu> MakePlayerMenu(PlayerActions& actions, const QByteArray& skinText) {
    auto menu = std::make_unique<CNewMenu>();
    // nullptr stands for a separator
    QAction* const lines[] = {&actions.hideShow, &actions.view,     &actions.todaysPrograms,
                              nullptr,           &actions.play,     &actions.stop,
                              nullptr,           &actions.settings, &actions.skins,
                              &actions.version,  nullptr,           &actions.close};
    int position = 0;
    for (QAction* line : lines) {
        if (line == nullptr) {
            menu->InsertMenu(position++, CNewMenu::kByPosition | CNewMenu::kSeparator);
        } else {
            menu->InsertAction(position++, line);
        }
        if (line == &actions.stop) {
            menu->InsertAction(position++, &actions.pause);
            menu->InsertAction(position++, &actions.backToLive);
            // the sleep timer's choices, after the commands of playback
            auto* sleep = new CNewMenu(menu.get());
            sleep->setTitle(StringTable::Load(StringId::kSleep));
            for (QAction* choice : actions.sleepChoices.actions()) {
                sleep->addAction(choice);
            }
            menu->InsertAction(position++, sleep->menuAction());
            menu->InsertAction(position++, &actions.recordThis);
            menu->InsertAction(position++, &actions.recordEvery);
        }
    }
    int32_t rgb[3] = {};
    if (GetKeyValues(skinText, "[MENU_COL]", rgb, 3) != 0) {
        menu->SetMenuTitleColor(QColor(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF));
    }
    // the submenu's chosen line in the same colour as the menu's
    for (CNewMenu* submenu : menu->findChildren<CNewMenu*>()) {
        submenu->SetMenuTitleColor(menu->MenuTitleColor());
    }
    menu->SetMenuTitle(QStringLiteral("Quilo"), kSideGradientTitle);
    menu->LoadToolBar(PlayerToolbar());
    return menu;
}

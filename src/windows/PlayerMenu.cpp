#include "windows/PlayerMenu.h"

#include "platform/KeyNumbers.h"
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
    }
    int32_t rgb[3] = {};
    if (GetKeyValues(skinText, "[MENU_COL]", rgb, 3) != 0) {
        menu->SetMenuTitleColor(QColor(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF));
    }
    menu->SetMenuTitle(QStringLiteral("Quilo"), kSideGradientTitle);
    menu->LoadToolBar(PlayerToolbar());
    return menu;
}

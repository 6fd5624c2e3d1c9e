#include "windows/PlayerMenu.h"

#include "platform/StringTable.h"
#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"

namespace {

constexpr int kSeparator = 0;
// string ids of the items' texts
constexpr int kTextHide = 103;
constexpr int kTextShow = 110;
constexpr int kTextPlay = 104;
constexpr int kTextStop = 105;
constexpr int kTextSeeingRadio = 109;
constexpr int kTextSettings = 111;
constexpr int kTextClose = 112;
constexpr int kTextSkins = 113;
constexpr int kTextVersion = 115;
constexpr int kTextTodaysPrograms = 134;

constexpr unsigned kSideGradientTitle = CNewMenu::kTitleAtSide | CNewMenu::kTitleGradient;

struct MenuLine {
    int commandId;
    int textId;
};

constexpr MenuLine kLines[] = {
    {MenuCommand::kHideShow, kTextHide},
    {MenuCommand::kView, kTextSeeingRadio},
    {MenuCommand::kTodaysPrograms, kTextTodaysPrograms},
    {kSeparator, 0},
    {MenuCommand::kPlay, kTextPlay},
    {MenuCommand::kStop, kTextStop},
    {kSeparator, 0},
    {MenuCommand::kSettings, kTextSettings},
    {MenuCommand::kSkins, kTextSkins},
    {MenuCommand::kVersion, kTextVersion},
    {kSeparator, 0},
    {MenuCommand::kClose, kTextClose},
};

int TextIdOf(const MenuLine& line, const PlayerMenuState& state) {
    if (line.commandId == MenuCommand::kHideShow && state.faceHidden) {
        return kTextShow;
    }
    return line.textId;
}

unsigned FlagsOf(const MenuLine& line, const PlayerMenuState& state) {
    if (line.commandId == kSeparator) {
        return CNewMenu::kByPosition | CNewMenu::kSeparator;
    }
    if (line.commandId == MenuCommand::kView && !state.hasVisualStream) {
        return CNewMenu::kByPosition | CNewMenu::kGrayed;
    }
    return CNewMenu::kByPosition;
}

}  // namespace

std::optional<MenuToolbar> MenuToolbarResource(int toolbarId) {
    if (toolbarId != kPlayerToolbarId) {
        return std::nullopt;
    }
    return MenuToolbar{
        QStringLiteral(":/res/toolbar128.bmp"),
        QSize(16, 15),
        {MenuCommand::kHideShow, MenuCommand::kView, MenuCommand::kTodaysPrograms,
         MenuCommand::kPlay, MenuCommand::kStop, MenuCommand::kSettings, MenuCommand::kSkins,
         MenuCommand::kVersion, MenuCommand::kClose},
        kSkinColorKey,
    };
}

std::unique_ptr<CNewMenu> MakePlayerMenu(const PlayerMenuState& state, const QByteArray& skinText,
                                         int toolbarId) {
    auto menu = std::make_unique<CNewMenu>();
    int position = 0;
    for (const MenuLine& line : kLines) {
        const QString text =
            line.commandId == kSeparator ? QString() : StringTable::Load(TextIdOf(line, state));
        menu->InsertMenu(position++, FlagsOf(line, state), line.commandId, text);
    }
    int32_t rgb[3] = {};
    if (SkinInfo::GetKeyValues(skinText, "[MENU_COL]", rgb, 3) != 0) {
        menu->SetMenuTitleColor(QColor(rgb[0] & 0xFF, rgb[1] & 0xFF, rgb[2] & 0xFF));
    }
    menu->SetMenuTitle(QStringLiteral("Quilo"), kSideGradientTitle);
    if (const std::optional<MenuToolbar> toolbar = MenuToolbarResource(toolbarId)) {
        menu->LoadToolBar(*toolbar);
    }
    return menu;
}

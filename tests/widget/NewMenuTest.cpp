#include "skin/CNewMenu.h"

#include <gtest/gtest.h>

#include <QPainter>

#include "WidgetTestKit.h"
#include "skin/ColorKey.h"
#include "windows/PlayerActions.h"

using namespace Qt::StringLiterals;

using namespace WidgetTestKit;

namespace {

QColor ImageCentre(const QAction* item) {
    return item->icon().pixmap(QSize(16, 15)).toImage().pixelColor(8, 8);
}

}  // namespace

TEST(NewMenu, AFirstSeparatorHoldsTheTitleAndToolbarImagesGoToTheirCommands) {
    // 16 x 15 images for Play, nothing, Stop: squares of their own colours on pure blue
    QImage strip = Filled({48, 15}, QColor::fromRgb(kSkinColorKey));
    QPainter painter(&strip);
    painter.fillRect(QRect(4, 4, 8, 8), Qt::red);
    painter.fillRect(QRect(36, 4, 8, 8), Qt::yellow);
    painter.end();
    const MenuToolbar toolbar{SaveBitmap("toolbar.bmp", strip),
                              QSize(16, 15),
                              {PlayerActions::kPlay, 0, PlayerActions::kStop},
                              kSkinColorKey};

    CNewMenu menu;
    menu.InsertMenu(0, CNewMenu::kByPosition | CNewMenu::kSeparator);
    menu.InsertMenu(1, CNewMenu::kByPosition, PlayerActions::kPlay, u"Play"_s);
    QAction* firstLine = menu.ItemAt(0);
    ASSERT_TRUE(menu.LoadToolBar(toolbar));
    // inserted after the toolbar was loaded, and greyed: it has its image all the same
    menu.InsertMenu(2, CNewMenu::kByPosition | CNewMenu::kGrayed, PlayerActions::kStop, u"Stop"_s);
    menu.InsertMenu(3, CNewMenu::kByPosition, PlayerActions::kClose, u"Close"_s);
    ASSERT_TRUE(menu.SetMenuTitle(u"Quilo"_s, 6));

    EXPECT_EQ(menu.MenuItemCount(), 4) << "the leading separator is kept as the title holder";
    EXPECT_TRUE(menu.IsTitleHolder(firstLine));
    EXPECT_EQ(ImageCentre(menu.ItemAt(1)), QColor(Qt::red));
    EXPECT_EQ(menu.ItemAt(1)->icon().pixmap(QSize(16, 15)).toImage().pixelColor(1, 1).alpha(), 0)
        << "the blue around an image is see-through";
    EXPECT_EQ(ImageCentre(menu.ItemAt(2)), QColor(Qt::yellow));
    EXPECT_FALSE(menu.ItemAt(2)->isEnabled());
    EXPECT_TRUE(menu.ItemAt(3)->icon().isNull()) << "not in the toolbar";
    EXPECT_FALSE(menu.LoadToolBar(MenuToolbar{"missing.bmp", QSize(16, 15), {1}, kSkinColorKey}));

    // a menu that starts with a command gets a separator in front to hold the title
    CNewMenu startsWithCommand;
    startsWithCommand.InsertMenu(0, CNewMenu::kByPosition, PlayerActions::kPlay, "Play");
    ASSERT_TRUE(startsWithCommand.SetMenuTitle(u"Quilo"_s, 6));
    ASSERT_EQ(startsWithCommand.MenuItemCount(), 2);
    EXPECT_TRUE(startsWithCommand.IsTitleHolder(startsWithCommand.ItemAt(0)));
    EXPECT_EQ(CNewMenu::CommandOf(startsWithCommand.ItemAt(1)), PlayerActions::kPlay);
}

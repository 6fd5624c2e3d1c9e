#include "windows/CTrayIcon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "WidgetTestKit.h"
#include "content/Program.h"
#include "platform/StringTable.h"
#include "skin/CNewMenu.h"
#include "support/Await.h"
#include "support/OnAir.h"
#include "windows/PlayerActions.h"

using namespace WidgetTestKit;

namespace {

// Runs `act` on every menu that opens, once it is on the screen.
class MenuWatcher : public QObject {
public:
    explicit MenuWatcher(std::function<void(CNewMenu&)> act) : act_(std::move(act)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* menu = qobject_cast<CNewMenu*>(watched); menu && event->type() == QEvent::Show) {
            QTimer::singleShot(0, menu, [this, menu] { act_(*menu); });
        }
        return false;
    }

private:
    std::function<void(CNewMenu&)> act_;
};

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        StringTable::SetKorean(false);
        ASSERT_TRUE(window_.LoadBackground(SaveBitmap("bg.bmp", Filled({160, 90}, Qt::gray))));
        window_.move(420, 320);
    }

    Program program_;
    PlayerActions actions_;
    CTrayIcon tray_{program_, actions_};
    TestFace window_;
};

}  // namespace

TEST_F(TrayIcon, TheMenuOffersWhatTheFaceAndTheProgramAllow) {
    for (const ViewMode viewMode :
         {ViewMode::MainShown, ViewMode::MainHidden, ViewMode::MiniShown, ViewMode::MiniHidden}) {
        for (const bool hasVfm : {false, true}) {
            program_.player.SetMode(viewMode);
            ReadOnAir(program_.player, [&](AppState& onAir) { onAir.hasVfm = hasVfm; });
            const auto menu = tray_.BuildMenu();
            ASSERT_TRUE(menu->IsTitleHolder(menu->ItemAt(0)));
            EXPECT_TRUE(menu->actions().contains(&actions_.play));
            EXPECT_EQ(actions_.view.isEnabled(), hasVfm) << "no visual stream, no Seeing Radio";
            EXPECT_EQ(actions_.hideShow.text(), IsHidden(viewMode) ? "Show" : "Hide");
        }
    }
    StringTable::SetKorean(true);
    tray_.BuildMenu();
    EXPECT_EQ(actions_.hideShow.text(), QStringLiteral("보이기"));
}

TEST_F(TrayIcon, ClicksOnTheRealIconReachThePlayer) {
    ParkPointer();
    ASSERT_TRUE(ShowAndWait(window_));
    // a tip longer than the icon can carry is cut, not refused
    ASSERT_TRUE(tray_.Create(&window_, QString(100, u'q'),
                             QIcon(QPixmap::fromImage(Filled({22, 22}, Qt::red)))));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(Await([&] {
        const QRect icon = tray_.IconGeometry();
        return icon.isValid() && screen.contains(icon) && icon.topLeft() != QPoint(0, 0);
    })) << "the tray host took the icon";
    const QPoint onIcon = tray_.IconGeometry().center();

    QSignalSpy front(&tray_, &CTrayIcon::bringToFrontRequested);
    ASSERT_TRUE(RealDoubleClick(onIcon));
    ASSERT_TRUE(Await([&] { return !front.isEmpty(); }));

    // a menu dismissed without a choice runs nothing
    QSignalSpy played(&actions_.play, &QAction::triggered);
    {
        MenuWatcher dismiss([](CNewMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
        ASSERT_TRUE(RealClick(onIcon, 3));
        ASSERT_TRUE(Await([&] { return QApplication::activePopupWidget() == nullptr; }));
    }
    EXPECT_TRUE(played.isEmpty());

    // a right click opens the menu; "Play" chosen in it runs the player's Play
    MenuWatcher choosePlay([&](CNewMenu& menu) {
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(&actions_.play).center());
    });
    ASSERT_TRUE(RealClick(onIcon, 3));
    ASSERT_TRUE(Await([&] { return !played.isEmpty(); }));

    tray_.RemoveIcon();
    EXPECT_FALSE(tray_.IsEnabled());
}

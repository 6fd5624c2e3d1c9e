#include "windows/CTrayIcon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "WidgetTestKit.h"
#include "content/Program.h"
#include "platform/StringTable.h"
#include "support/Await.h"
#include "windows/PlayerMenu.h"
#include "windows/UserMessages.h"

using namespace WidgetTestKit;

namespace {

constexpr unsigned kIconId = 124;

// Stands in for the main window: hands the tray's notifications back to the icon, as the main
// window does, and remembers every message.
class MainWindowStandIn : public RecordingDialog {
public:
    CTrayIcon* tray = nullptr;

protected:
    LRESULT WindowProc(const WindowMessage& message) override {
        RecordingDialog::WindowProc(message);
        return message.message == UM_TRAY_NOTIFY
                   ? tray->OnTrayNotify(message.wParam, message.lParam)
                   : 0;
    }
};

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

QAction* ItemOf(const CNewMenu& menu, int command) {
    for (QAction* item : menu.actions()) {
        if (CNewMenu::CommandOf(item) == command) {
            return item;
        }
    }
    return nullptr;
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        StringTable::SetKorean(false);
        ASSERT_TRUE(window_.LoadBackground(SaveBitmap("bg.bmp", Filled({160, 90}, Qt::gray))));
        window_.move(420, 320);
        window_.tray = &tray_;
    }

    bool Create() {
        QPixmap image(22, 22);
        image.fill(QColor(200, 40, 60));
        // a tip longer than the icon can carry is cut, not refused
        return tray_.Create(&window_, UM_TRAY_NOTIFY, QString(100, QLatin1Char('q')), QIcon(image),
                            kIconId, kPlayerToolbarId);
    }

    Program program_;
    CTrayIcon tray_{program_};
    MainWindowStandIn window_;
};

}  // namespace

TEST_F(TrayIcon, TheMenuOffersWhatTheFaceAndTheProgramAllow) {
    using namespace MenuCommand;
    const std::vector<int> order = {kHideShow, kView,     kTodaysPrograms, 0,        kPlay, kStop,
                                    0,         kSettings, kSkins,          kVersion, 0,     kClose};
    for (int viewMode = kViewMainShown; viewMode <= kViewMiniHidden; ++viewMode) {
        for (const int hasVfm : {0, 1}) {
            program_.viewMode = viewMode;
            program_.state.hasVfm = hasVfm;
            const auto menu = tray_.BuildMenu();
            ASSERT_TRUE(menu->IsTitleHolder(menu->ItemAt(0)));
            ASSERT_EQ(menu->GetMenuItemCount(), 13);
            for (int position = 0; position < 12; ++position) {
                QAction* item = menu->ItemAt(position + 1);
                EXPECT_EQ(CNewMenu::CommandOf(item), order[position]) << position;
                EXPECT_EQ(item->isEnabled(), order[position] != kView || hasVfm != 0) << position;
            }
            const bool hidden = viewMode == kViewMainHidden || viewMode == kViewMiniHidden;
            EXPECT_EQ(ItemOf(*menu, kHideShow)->text(), hidden ? "Show" : "Hide") << viewMode;
        }
    }
    StringTable::SetKorean(true);
    EXPECT_EQ(ItemOf(*tray_.BuildMenu(), kHideShow)->text(), QStringLiteral("보이기"));

    // the skin's menu colour, low 8 bits of each value, or the caption colour without one
    const auto plain = tray_.BuildMenu();
    EXPECT_EQ(plain->GetMenuTitleColor(), plain->palette().color(QPalette::Highlight));
    EXPECT_EQ(
        MakePlayerMenu({}, "[MAIN_PLAY] 1,2\r\n[MENU_COL] 456,30,40\r\n")->GetMenuTitleColor(),
        QColor(200, 30, 40));
}

TEST_F(TrayIcon, OnlyItsOwnIconsNotificationsAreHandled) {
    EXPECT_EQ(tray_.OnTrayNotify(kIconId, CTrayIcon::kLeftButtonDoubleClick), 0) << "no icon yet";
    ASSERT_TRUE(Create());
    EXPECT_EQ(tray_.OnTrayNotify(kIconId + 1, CTrayIcon::kLeftButtonDoubleClick), 0);
    EXPECT_EQ(tray_.OnTrayNotify(kIconId, CTrayIcon::kMouseMove), 1);
    EXPECT_TRUE(window_.received.empty());
    EXPECT_EQ(tray_.OnTrayNotify(kIconId, CTrayIcon::kLeftButtonDoubleClick), 1);
    ASSERT_EQ(window_.received.size(), 1u);
    EXPECT_EQ(window_.received[0].message, UM_BRING_TO_FRONT);

    // a menu dismissed without a choice sends nothing
    MenuWatcher dismiss([](CNewMenu& menu) { QTest::keyClick(&menu, Qt::Key_Escape); });
    EXPECT_EQ(tray_.OnTrayNotify(kIconId, CTrayIcon::kRightButtonUp), 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_TRUE(window_.DrainPosted());
    EXPECT_TRUE(window_.Of(WM_COMMAND).empty());

    tray_.RemoveIcon();
    EXPECT_EQ(tray_.OnTrayNotify(kIconId, CTrayIcon::kLeftButtonDoubleClick), 0);
}

TEST_F(TrayIcon, ClicksOnTheRealIconReachTheMainWindow) {
    ParkPointer();
    ASSERT_TRUE(ShowAndWait(window_));
    ASSERT_TRUE(Create());
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    ASSERT_TRUE(Await([&] {
        const QRect icon = tray_.IconGeometry();
        return icon.isValid() && screen.contains(icon) && icon.topLeft() != QPoint(0, 0);
    })) << "the tray host took the icon";
    const QPoint onIcon = tray_.IconGeometry().center();

    ASSERT_TRUE(RealDoubleClick(onIcon));
    ASSERT_TRUE(Await([&] { return !window_.Of(UM_BRING_TO_FRONT).empty(); }));
    EXPECT_EQ(window_.Of(UM_TRAY_NOTIFY).back().wParam, kIconId);
    EXPECT_EQ(window_.Of(UM_TRAY_NOTIFY).back().lParam,
              static_cast<LPARAM>(CTrayIcon::kLeftButtonDoubleClick));

    // a right click opens the menu; "Play" chosen in it reaches the main window as a command
    QImage shown;
    QRect title;
    QColor top;
    QColor bottom;
    MenuWatcher choosePlay([&](CNewMenu& menu) {
        shown = menu.grab().toImage();
        title = menu.TitleRect();
        top = menu.TitleBlendColor();
        bottom = menu.GetMenuTitleColor();
        QTest::mouseClick(&menu, Qt::LeftButton, {},
                          menu.actionGeometry(ItemOf(menu, MenuCommand::kPlay)).center());
    });
    ASSERT_TRUE(RealClick(onIcon, 3));
    ASSERT_TRUE(Await([&] { return !window_.Of(WM_COMMAND).empty(); }));
    EXPECT_EQ(window_.Of(WM_COMMAND).back().wParam, static_cast<WPARAM>(MenuCommand::kPlay));

    // the side title runs from the blend at the top into the title colour at the bottom
    ASSERT_TRUE(title.isValid());
    EXPECT_LT(title.width(), 40);
    const auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                   std::abs(a.blue() - b.blue()) <=
               12;
    };
    EXPECT_TRUE(near(shown.pixelColor(title.left() + 1, title.top()), top));
    EXPECT_TRUE(near(shown.pixelColor(title.left() + 1, title.bottom()), bottom));
}

#include "windows/CTrayIcon.h"

#include <QCursor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QWidget>

#include "content/Program.h"
#include "skin/CNewMenu.h"
#include "windows/PlayerActions.h"
#include "windows/PlayerMenu.h"

namespace {
// how far from the window's corner the menu opens when the pointer's place is unknown
constexpr int kMenuOffset = 10;
}  // namespace

CTrayIcon::CTrayIcon(const Program& program, PlayerActions& actions, QObject* parent)
    : QObject(parent), program_(program), actions_(actions) {}

CTrayIcon::~CTrayIcon() = default;

bool CTrayIcon::Create(QWidget* window, const QString& tip, const QIcon& icon) {
    if (window == nullptr || icon.isNull() || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return false;
    }
    mainWindow_ = window;
    menuWindow_ = window;
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip.left(kMaxTipLength));
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &CTrayIcon::OnActivated);
    statusNotifier_ = StatusNotifierHostRuns();
    if (statusNotifier_) {
        ExportMenu();
    }
    icon_->show();
    if (!icon_->isVisible()) {
        icon_.reset();
    }
    return IsEnabled();
}

void CTrayIcon::RemoveIcon() {
    icon_.reset();
    exportedMenu_.reset();
}

// A StatusNotifier host (Plasma, GNOME's AppIndicator extension, the bars of Wayland desktops)
// draws the icon and its menu itself, from what the program publishes on the session bus.
bool CTrayIcon::StatusNotifierHostRuns() {
    const QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    return bus != nullptr &&
           bus->isServiceRegistered(QStringLiteral("org.kde.StatusNotifierWatcher")).value();
}

// The host shows the menu when the listener asks for it: its items are brought up to date as
// it opens.
void CTrayIcon::ExportMenu() {
    exportedMenu_ = BuildMenu();
    connect(exportedMenu_.get(), &QMenu::aboutToShow, this, [this] {
        actions_.Update(IsHidden(program_.player.Mode()), program_.player.OnAir().hasVfm);
    });
    icon_->setContextMenu(exportedMenu_.get());
}

void CTrayIcon::SetWindow(QWidget* window) {
    if (IsEnabled()) {
        menuWindow_ = window;
    }
}

QRect CTrayIcon::IconGeometry() const {
    return icon_ != nullptr ? icon_->geometry() : QRect();
}

void CTrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
    // a StatusNotifier host knows no double click: its click is the activation
    const bool broughtToFront = reason == QSystemTrayIcon::DoubleClick ||
                                (statusNotifier_ && reason == QSystemTrayIcon::Trigger);
    if (broughtToFront) {
        emit bringToFrontRequested();
    } else if (reason == QSystemTrayIcon::Context) {
        ShowMenu();
    }
}

std::unique_ptr<CNewMenu> CTrayIcon::BuildMenu() const {
    actions_.Update(IsHidden(program_.player.Mode()), program_.player.OnAir().hasVfm);
    return MakePlayerMenu(actions_, program_.skin.Text());
}

void CTrayIcon::ShowMenu() {
    // a window that has gone hands the menu back to the one the icon was added for
    QWidget* window = menuWindow_ != nullptr ? menuWindow_.data() : mainWindow_.data();
    if (window == nullptr) {
        return;
    }
    window->activateWindow();
    QPoint at = QCursor::pos();
    if (at == QPoint(-1, -1)) {
        at = window->pos() + QPoint(kMenuOffset, kMenuOffset);
    }
    window->setFocus(Qt::PopupFocusReason);
    BuildMenu()->TrackPopupMenu(at);
}

#include "windows/CTrayIcon.h"

#include <QCursor>
#include <QSystemTrayIcon>

#include "content/Program.h"
#include "windows/PlayerMenu.h"
#include "windows/UserMessages.h"

namespace {

// how far from the window's corner the menu opens when the pointer's place is unknown
constexpr int kMenuOffset = 10;

unsigned MouseMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return CTrayIcon::kLeftButtonDoubleClick;
        case QSystemTrayIcon::Context:
            return CTrayIcon::kRightButtonUp;
        case QSystemTrayIcon::Trigger:
            return CTrayIcon::kLeftButtonUp;
        case QSystemTrayIcon::MiddleClick:
            return CTrayIcon::kMiddleButtonUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return CTrayIcon::kMouseMove;
}

}  // namespace

CTrayIcon::CTrayIcon(const Program& program) : program_(program) {}

CTrayIcon::~CTrayIcon() = default;

bool CTrayIcon::Create(QWidget* window, unsigned callbackMessage, const QString& tip,
                       const QIcon& icon, unsigned iconId, int menuToolbarId) {
    if (window == nullptr || icon.isNull() || !QSystemTrayIcon::isSystemTrayAvailable()) {
        return false;
    }
    notifyWindow_ = window;
    menuWindow_ = window;
    callbackMessage_ = callbackMessage;
    iconId_ = iconId;
    menuToolbarId_ = menuToolbarId;
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    icon_->setToolTip(tip.left(kMaxTipLength));
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         PostMessage(notifyWindow_, callbackMessage_, iconId_,
                                     MouseMessageOf(reason));
                     });
    icon_->show();
    enabled_ = icon_->isVisible();
    if (!enabled_) {
        icon_.reset();
    }
    return enabled_;
}

void CTrayIcon::RemoveIcon() {
    if (!enabled_) {
        return;
    }
    icon_.reset();
    enabled_ = false;
}

void CTrayIcon::SetWindow(QWidget* window) {
    if (enabled_) {
        menuWindow_ = window;
    }
}

QWidget* CTrayIcon::MenuWindow() const {
    // a window that has gone hands the menu back to the one the icon was added for
    return menuWindow_ != nullptr ? menuWindow_.data() : notifyWindow_.data();
}

QRect CTrayIcon::IconGeometry() const {
    return icon_ != nullptr ? icon_->geometry() : QRect();
}

LRESULT CTrayIcon::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != iconId_ || !enabled_) {
        return 0;
    }
    switch (static_cast<unsigned>(mouseMessage) & 0xFFFFu) {
        case kLeftButtonDoubleClick:
            SendMessage(notifyWindow_, UM_BRING_TO_FRONT, 0, 0);
            break;
        case kRightButtonUp:
            ShowMenu();
            break;
        default:
            break;
    }
    return 1;
}

std::unique_ptr<CNewMenu> CTrayIcon::BuildMenu() const {
    const bool faceHidden =
        program_.viewMode == kViewMainHidden || program_.viewMode == kViewMiniHidden;
    return MakePlayerMenu(PlayerMenuState{faceHidden, program_.state.hasVfm != 0},
                          program_.skin.Text(), menuToolbarId_);
}

void CTrayIcon::ShowMenu() {
    QWidget* window = MenuWindow();
    if (window == nullptr) {
        return;
    }
    window->activateWindow();
    QPoint at = QCursor::pos();
    if (at == QPoint(-1, -1)) {
        at = window->pos() + QPoint(kMenuOffset, kMenuOffset);
    }
    window->setFocus(Qt::PopupFocusReason);
    const std::unique_ptr<CNewMenu> menu = BuildMenu();
    menu->TrackPopupMenu(at, notifyWindow_);
}

#pragma once

#include <QIcon>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

#include "platform/WindowMessage.h"

class CNewMenu;
class Program;
class QSystemTrayIcon;

// The icon in the desktop's notification area. Its mouse input goes to the window it was added
// for as the callback message (wParam: the icon id, lParam: the mouse message in the numbers of
// the Windows mouse messages); that window hands the message back to OnTrayNotify. A double click
// asks the main window for the player's face (UM_BRING_TO_FRONT); a right click opens the
// player's menu, whose chosen command goes to the main window as WM_COMMAND.
//
// Without a tray on the desktop there is no icon and every operation does nothing.
class CTrayIcon {
public:
    // the mouse messages a notification carries
    static constexpr unsigned kMouseMove = 0x200;
    static constexpr unsigned kLeftButtonUp = 0x202;
    static constexpr unsigned kLeftButtonDoubleClick = 0x203;
    static constexpr unsigned kRightButtonUp = 0x205;
    static constexpr unsigned kMiddleButtonUp = 0x208;
    // a tip longer than this is cut
    static constexpr int kMaxTipLength = 63;

    explicit CTrayIcon(const Program& program);
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Adds the icon for `window`, which receives its notifications and the chosen commands.
    // False when there is no tray, no window or no icon image.
    bool Create(QWidget* window, unsigned callbackMessage, const QString& tip, const QIcon& icon,
                unsigned iconId, int menuToolbarId);
    void RemoveIcon();
    // The window the pop-up menu belongs to from now on (the mini window while it is open).
    // Notifications and commands still go to the window the icon was added for.
    void SetWindow(QWidget* window);
    // 1 when the notification is this icon's, 0 otherwise.
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);

    bool IsEnabled() const { return enabled_; }
    // The pop-up menu as it would open now, for the current face and program.
    std::unique_ptr<CNewMenu> BuildMenu() const;
    // Where the icon is on the screen (empty without an icon).
    QRect IconGeometry() const;

private:
    void ShowMenu();
    QWidget* MenuWindow() const;

    const Program& program_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    bool enabled_ = false;
    unsigned iconId_ = 0;
    unsigned callbackMessage_ = 0;
    int menuToolbarId_ = 0;
    QPointer<QWidget> notifyWindow_;
    QPointer<QWidget> menuWindow_;
};

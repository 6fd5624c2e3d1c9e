#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>

class CNewMenu;
class PlayerActions;
class Program;

// The icon in the desktop's notification area. A double click asks for the player's face
// (bringToFrontRequested); a right click opens the player's menu, whose chosen action runs. On a
// StatusNotifier tray the host draws the icon and the menu: a click there asks for the face.
//
// Without a tray on the desktop there is no icon and every operation does nothing.
class CTrayIcon : public QObject {
    Q_OBJECT

public:
    // a tip longer than this is cut
    static constexpr int kMaxTipLength = 63;

    CTrayIcon(const Program& program, PlayerActions& actions, QObject* parent = nullptr);
    ~CTrayIcon() override;

    // Adds the icon; the menu belongs to `window`. False when there is no tray, no window or no
    // icon image.
    bool Create(QWidget* window, const QString& tip, const QIcon& icon);
    void RemoveIcon();
    // The window the pop-up menu belongs to from now on (the mini window while it is open).
    void SetWindow(QWidget* window);

    bool IsEnabled() const { return icon_ != nullptr; }
    // The pop-up menu as it would open now, for the current face and program.
    std::unique_ptr<CNewMenu> BuildMenu() const;
    // Where the icon is on the screen (empty without an icon).
    QRect IconGeometry() const;

signals:
    void bringToFrontRequested();

private:
    void OnActivated(QSystemTrayIcon::ActivationReason reason);
    void ShowMenu();
    static bool StatusNotifierHostRuns();
    void ExportMenu();

    const Program& program_;
    PlayerActions& actions_;
    // the menu a StatusNotifier host shows for the icon; declared first, so the icon goes first
    std::unique_ptr<CNewMenu> exportedMenu_;
    std::unique_ptr<QSystemTrayIcon> icon_;
    bool statusNotifier_ = false;
    QPointer<QWidget> mainWindow_;
    QPointer<QWidget> menuWindow_;
};

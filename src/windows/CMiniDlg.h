#pragma once

#include <map>

#include "skin/CSkinDialog.h"
#include "windows/SkinLayout.h"

class CSkinButton;
class CSkinSlider;
class CTickerCtrl;
class CWebLauncher;
class PlayerActions;
class Program;

// The player's small face. It holds no playback of its own: its buttons are the main window's
// buttons (the same signals, connected by the main window), its slider sets the same volume, and
// its ticker repeats the main face's. Its link area opens the service's home page, logged in. A
// skin chosen while it is in use is worn here at once; the main window wears it when it comes
// back. Its "main" button brings the main window back where the mini face stood. Closing it from
// outside (the window manager) is its close button.
class CMiniDlg : public CSkinDialog {
    Q_OBJECT

public:
    CMiniDlg(Program& program, PlayerActions& actions, const CWebLauncher& web);

    // Places every control by the current skin; false (and nothing changes) when the skin has no
    // mini face. The slider and the mute button show the player model's volume and mute.
    bool ApplySkin();
    // Shows the mini face with its top-left on `corner` (kept on the screen).
    void Open(const QPoint& corner);
    // Wears another skin (a name differing only in case is the same skin). A skin that cannot be
    // worn whole leaves the face as it was, with the message.
    void SwitchSkin(const QString& name);
    // What the program on air offers: its info, its visual stream.
    void ShowProgramButtons(bool info, bool view);
    void SetTicker(const QString& text, const QString& link);

    CSkinButton* Button(FaceButton button) const;
    CSkinSlider* VolumeSlider() const { return volume_; }
    CTickerCtrl* Ticker() const { return ticker_; }
    const QRect& LinkArea() const { return linkArea_; }

public slots:
    void reject() override;

signals:
    void hideClicked();
    void closeClicked();
    void infoClicked();
    void playClicked();
    void stopClicked();
    void viewClicked();
    // back to the main window, which takes the mini face's place and, when the skin changed
    // here, wears the new one
    void mainRequested(const QRect& miniFrame, bool skinChanged);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    // a press on the link area opens the home page; anywhere else it only moves the face
    void mousePressEvent(QMouseEvent* event) override;
    // the hand cursor over the link area
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void CreateControls();
    void ConnectPlayerModel();
    void ReturnToMain();
    void ShowVolume(int volume);
    void ShowMuted(bool muted);

    Program& program_;
    PlayerActions& actions_;
    const CWebLauncher& web_;
    std::map<FaceButton, CSkinButton*> buttons_;
    CSkinSlider* volume_ = nullptr;
    CTickerCtrl* ticker_ = nullptr;
    bool infoShown_ = false;
    bool viewShown_ = false;
    // a skin was switched here since the face opened
    bool skinChanged_ = false;
    // "[MINI_LINK]"; a skin without the key keeps the one before (none at first)
    QRect linkArea_;
};

#pragma once

#include <map>

#include "skin/CSkinDialog.h"
#include "windows/SkinLayout.h"

class CSkinButton;
class CSkinSlider;
class CTickerCtrl;
class PlayerActions;
class Program;

// The player's small face. It holds no playback of its own: its buttons are the main window's
// buttons (the same signals, connected by the main window), its slider sets the same volume, and
// its ticker repeats the main face's. Its "main" button brings the main window back where the
// mini face stood. Closing it from outside (the window manager) is its close button.
class CMiniDlg : public CSkinDialog {
    Q_OBJECT

public:
    CMiniDlg(Program& program, PlayerActions& actions);

    // Places every control by the current skin; false (and nothing changes) when the skin has no
    // mini face.
    bool ApplySkin();
    // Shows the mini face with its top-left on `corner` (kept on the screen).
    void Open(const QPoint& corner);
    // What the program on air offers: its info, its visual stream.
    void ShowProgramButtons(bool info, bool view);
    void SetTicker(const QString& text, const QString& link);
    void SetVolumePosition(int volume);
    void SetMuteShown(bool muted);

    CSkinButton* Button(FaceButton button) const;
    CSkinSlider* VolumeSlider() const { return volume_; }
    CTickerCtrl* Ticker() const { return ticker_; }

public slots:
    void reject() override;

signals:
    void hideClicked();
    void closeClicked();
    void infoClicked();
    void playClicked();
    void stopClicked();
    void muteClicked(bool muted);
    void viewClicked();
    void volumeChanged(int volume);
    // back to the main window, which takes the mini face's place
    void mainRequested(const QRect& miniFrame);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void CreateControls();

    Program& program_;
    PlayerActions& actions_;
    std::map<FaceButton, CSkinButton*> buttons_;
    CSkinSlider* volume_ = nullptr;
    CTickerCtrl* ticker_ = nullptr;
    bool infoShown_ = false;
    bool viewShown_ = false;
};

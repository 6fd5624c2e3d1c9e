#pragma once

#include <QPointer>
#include <QRect>
#include <memory>
#include <vector>

#include "skin/CSkinDialog.h"
#include "windows/CMiniDlg.h"

class CProgramTableDlg;
class CSkinButton;
class CSkinSlider;
class CTickerCtrl;
class CViewerDlg;
class Program;
class QLineEdit;
class QPlainTextEdit;

// The player's main face: a skinned window whose every control is placed by the skin. It starts
// the player on its first timer tick, follows the stream with its timers, carries out the
// listener's commands from its buttons, its context menu and the tray, and is the hub of the
// private messages of the other windows. Its work is split by concern:
//   CMainDlg.cpp          construction, start, shutdown, message dispatch
//   CMainDlgLayout.cpp    skin loading, placement, painting, sprites and animation
//   CMainDlgTimers.cpp    the timers and the ticker rule
//   CMainDlgCommands.cpp  commands, buttons, context menu, private messages
class CMainDlg : public CSkinDialog {
    Q_OBJECT

public:
    // control ids
    enum ControlId {
        kSendButton = 1001,
        kHideButton = 1002,
        kMiniButton = 1003,
        kInfoButton = 1004,
        kPlayButton = 1005,
        kStopButton = 1006,
        kMuteButton = 1007,
        kViewButton = 1008,
        kVolumeSlider = 1009,
        kMessageEdit = 1011,
        kCounterEdit = 1012,
        kCloseButton = 1013,
        kLink1 = 1033,
        kLink2 = 1034,
        kEventBanner = 1035,
        kTicker = 1053,
    };
    // timer ids
    enum TimerId {
        kStartTimer = 1,
        kTickerTimer = 2,
        kViewerTimer = 3,
        kResyncTimer = 4,
        kSpriteTimerA = 5,
        kSpriteTimerB = 6,
        kCharacterTimer = 7,
        kClickSoundTimer = 8,
        kAnimationTimer = 9,
    };

    explicit CMainDlg(Program& program);
    ~CMainDlg() override;

    // Runs a command of the menus (32772 ... 32791).
    void OnCommand(int commandId);
    // Ends the window as the close command does, without asking (the session ends).
    void CloseWithoutAsking();

    // Sets the ticker by the ticker rule: an unchanged text only takes a new link, an empty text
    // brings back the program's ticker text (or the service's name).
    void SetTicker(const QString& text, const QString& link);

    // For tests and the windows that work with the main window.
    CTickerCtrl* Ticker() const { return ticker_; }
    CSkinSlider* VolumeSlider() const { return volume_; }
    CSkinButton* Button(int controlId) const;
    CViewerDlg* Viewer() const { return viewer_.get(); }
    CMiniDlg* MiniWindow() const { return mini_; }
    const QString& FmUrl() const { return fmUrl_; }
    const QString& VfmUrl() const { return vfmUrl_; }
    QPlainTextEdit* MessageEdit() const { return messageEdit_; }
    QLineEdit* CounterEdit() const { return counterEdit_; }
    QColor EditColor() const { return editColor_; }
    QColor CounterColor() const { return counterColor_; }

protected:
    bool OnInitDialog() override;
    void OnDestroy() override;
    void OnTimer(int id) override;
    LRESULT WindowProc(const WindowMessage& message) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Layout (CMainDlgLayout.cpp)
    void CreateControls();
    bool LoadSkin(const QString& name, bool show, bool reread);
    bool PlaceWindow(const QString& name, bool show);
    void ApplySkin(const QString& name);
    void ApplyEditKeys();
    void ApplyTickerKeys();
    void ApplyButtonKeys(const QString& name);
    void ApplySliderKey(const QString& name);
    void ApplyDrawingKeys();
    QPoint StartPosition() const;
    void ApplyTopMost();
    void AddToolTips();
    bool DrawCharacter(QRect& previous, bool show);
    void DrawAnimationFrame(int frame);
    void PaintSprites(QPainter& painter);
    QString SkinFile(const QString& fileName) const;

    // Timers (CMainDlgTimers.cpp)
    void RunStartSequence();
    void ChooseStreamAddresses();
    void OnTickerTimer();
    void OnViewerTimer();
    void OnResyncTimer();
    void OnSpriteTimer(QRect& previous);
    void OnCharacterTimer();
    void OnAnimationTimer();
    void ChangeTicker(const QString& text, const QString& link);
    bool TickerShowsConnecting() const;

    // Commands (CMainDlgCommands.cpp)
    void OnButton(int controlId, LPARAM value);
    void HideShow();
    void Play();
    void Stop();
    void View();
    void Close();
    void Settings();
    void SwitchSkin(const QString& name, bool fromChooser);
    void ChooseSkin();
    void ShowVersion();
    void OpenTodaysPrograms();
    void OpenMiniWindow();
    void OpenProgramInfo();
    void OnRestoreMain(WPARAM skinChanged, const QRect& miniRect);
    void OnActivateInstance();
    void OnBringToFront();
    void OnProgramChanged();
    void OnProgramCleared();
    void OnLinksCleared();
    void OnScheduleFire();
    void SetViewButtonShown(bool shown);
    QWidget* VisibleFace() const;
    void Redraw();

    Program& program_;

    // controls, all placed by the skin
    QPlainTextEdit* messageEdit_ = nullptr;
    QLineEdit* counterEdit_ = nullptr;
    CTickerCtrl* ticker_ = nullptr;
    CSkinSlider* volume_ = nullptr;
    std::vector<CSkinButton*> buttons_;

    int topMost_ = 0;
    int viewButtonShown_ = 0;
    QColor editColor_ = Qt::white;
    QColor counterColor_ = Qt::white;
    int characterShown_ = 0;
    QRect linkArea_;
    QRect characterArea_;
    QRect animationArea_;
    uint8_t animationFrameCount_ = 0;
    uint8_t animationCounter_ = 0;
    // the sprites of timers 5 and 6 and the frame now on the face
    QRect spriteRectA_;
    QRect spriteRectB_;
    QString spriteFileA_;
    QString spriteFileB_;
    int animationFrame_ = -1;

    std::unique_ptr<CViewerDlg> viewer_;
    QPointer<CMiniDlg> mini_;
    std::unique_ptr<CProgramTableDlg> programTable_;
    QString fmUrl_;
    QString vfmUrl_;
    bool closingWithoutAsking_ = false;
};

#pragma once

#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <set>

#include "skin/CSkinDialog.h"
#include "web/CWebLauncher.h"
#include "windows/PlayerActions.h"
#include "windows/SkinLayout.h"

class CharacterSprites;
class CMiniDlg;
class MessageComposer;
class ProgramLinks;
class ClickSound;
class CProgramTableDlg;
class CSkinButton;
class CSkinSlider;
class CTickerCtrl;
class CTrayIcon;
class CViewerDlg;
class MessageEdit;
class Program;
class QLineEdit;
class ProgramRecorder;
class SleepTimer;
class StreamControl;
class TickerRule;

// The player's main face: a skinned window whose every control is placed by the skin. It carries
// out the listener's commands from its buttons, its context menu, the tray and the mini face, and
// shows what the program table reports. Each feature lives in a class of its own:
//   StreamControl     Play, Stop, "Seeing Radio", volume, mute, and a stream that fails
//   SleepTimer        the fade and stop the listener chose from the "Sleep" menu
//   ProgramRecorder   the recordings chosen from the menus, one file per program
//   TickerRule        what the ticker shows, on both faces
//   CharacterSprites  the characters and the frame animation
//   SkinLayout        where each control of either face comes from in the skin
//   CMiniDlg          the mini face
// This class ties them together: the faces and view modes (CMainDlg.cpp), the skin on the face
// and the skin switch (CMainDlgSkin.cpp), the menu commands (CMainDlgCommands.cpp).
class CMainDlg : public CSkinDialog {
    Q_OBJECT

public:
    explicit CMainDlg(Program& program);
    ~CMainDlg() override;

    // Puts the face on screen with the current skin, adds the tray icon and starts the player
    // shortly after. False when the skin has no main face (the listener is told).
    bool Open();

    // the player's commands, as the tray menu and the desktop bus give them
    PlayerActions& Actions() { return actions_; }

public slots:
    // Ends the window as the close command does, without asking (the session ends).
    void CloseWithoutAsking();
    // A later copy of the program was started: the face comes forward.
    void ActivateInstance();
    // Wears the named skin on every face, whole or not at all (the listener is told).
    void SwitchSkin(const QString& name);
    // Escape does not close the player.
    void reject() override;
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // a click on the character opens its page, one on the link area the home page (a click on
    // both opens both); every press also drags the face
    void mousePressEvent(QMouseEvent* event) override;
    // the hand cursor over what a click opens
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // the pause before the face takes the player's volume and mute again after a change of face
    static constexpr int kResyncDelayMs = 100;

    // CMainDlg.cpp: start, end, faces and view modes, what the program table reports
    void ConnectButtons();
    void ConnectActions();
    void ConnectSleepChoices();
    void ConnectPlayerModel();
    void RunStartSequence();
    void Shutdown();
    void HideShow();
    // takes a face off the screen (into the tray, or minimised without one), and back
    void PutAway(QWidget* face) const;
    void PutBack(QWidget* face) const;
    void Close();
    void OpenMiniWindow();
    void ConnectMiniWindow();
    void OnMiniMainRequested(const QRect& miniFrame, bool skinChanged);
    void BringToFront();
    void ShowMuted(bool muted);
    void ShowVolume(int volume);
    void OnResyncTimer();
    void OnProgramChanged();
    void OnProgramCleared();
    void NameFacesAfter(const QString& programTitle);
    void OnLinksChanged();
    void OnLinksCleared();
    void OnTickerText(const QString& text, const QString& link);
    void OnScheduleFire();
    void RefreshProgramIfNoLinks();
    void ShowProgramButtons(bool info, bool view);
    QWidget* VisibleFace() const;
    CSkinButton* Button(FaceButton button) const;

    // CMainDlgSkin.cpp: the skin on the face, and the skin switch
    void CreateControls();
    bool PlaceWindow(bool show);
    QPoint StartPosition() const;
    void ApplyTopMost();
    void ApplySkin();
    void ApplyEditKeys();
    void ApplyTickerKeys();
    void AddToolTips();
    void WearCurrentSkin();

    // CMainDlgCommands.cpp: the commands of the menus
    void Settings();
    void ChooseSkin();
    void ShowVersion();
    void OpenTodaysPrograms();
    void OpenProgramInfo();

    Program& program_;
    PlayerActions actions_;
    // every page the face opens, with the listener logged in where the site knows them
    CWebLauncher web_;

    // controls, all placed by the skin
    MessageEdit* messageEdit_ = nullptr;
    MessageComposer* composer_ = nullptr;
    QLineEdit* counterEdit_ = nullptr;
    CTickerCtrl* ticker_ = nullptr;
    CSkinSlider* volume_ = nullptr;
    std::map<FaceButton, CSkinButton*> buttons_;
    // the program's two link images and the event banner
    ProgramLinks* links_ = nullptr;
    ClickSound* clickSound_ = nullptr;
    // the buttons the skin has a place for
    std::set<FaceButton> placedButtons_;

    bool topMost_ = false;
    bool infoButtonShown_ = false;
    bool viewButtonShown_ = false;
    bool closingWithoutAsking_ = false;
    bool shutDown_ = false;
    QColor editColor_ = Qt::white;
    QColor counterColor_ = Qt::white;
    QRect linkArea_;

    // the face's helpers are its children; the mini face is a window of its own, which a parent
    // would tie to this one's place and stacking on screen
    TickerRule* tickerRule_ = nullptr;
    CTrayIcon* tray_ = nullptr;
    StreamControl* stream_ = nullptr;
    SleepTimer* sleep_ = nullptr;
    ProgramRecorder* recorder_ = nullptr;
    CharacterSprites* sprites_ = nullptr;
    std::unique_ptr<CMiniDlg> mini_;
    CProgramTableDlg* programTable_ = nullptr;
    // once, right after the face opens: the rest of the start
    QTimer startTimer_;
    // once, a moment after a skin switch or the return from the mini face
    QTimer resyncTimer_;
};

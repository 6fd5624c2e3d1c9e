// What the listener and the other windows ask of the main window: its commands, its buttons,
// its context menu and the private messages of the tray, the mini window and the program table.

#include <QContextMenuEvent>
#include <QDir>
#include <QInputDialog>
#include <QMessageBox>

#include "content/CProgramTableDlg.h"
#include "content/Program.h"
#include "dialogs/CSettingsDlg.h"
#include "platform/DesktopOpen.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "skin/CNewMenu.h"
#include "skin/CSkinButton.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "windows/CMainDlg.h"
#include "windows/CMiniDlg.h"
#include "windows/CTrayIcon.h"
#include "windows/PlayerMenu.h"
#include "windows/UserMessages.h"

namespace {
constexpr int kPollPeriodMs = 500;
constexpr int kResyncDelayMs = 100;
// the context menu opens this far above the point that was clicked
constexpr int kMenuLift = 180;

bool IsMini(int viewMode) {
    return viewMode == kViewMiniShown || viewMode == kViewMiniHidden;
}
}  // namespace

void CMainDlg::OnCommand(int commandId) {
    switch (commandId) {
        case MenuCommand::kHideShow:
            HideShow();
            break;
        case MenuCommand::kPlay:
            Play();
            break;
        case MenuCommand::kStop:
            Stop();
            break;
        case MenuCommand::kSettings:
            Settings();
            break;
        case MenuCommand::kClose:
            Close();
            break;
        case MenuCommand::kView:
            View();
            break;
        case MenuCommand::kSkins:
            ChooseSkin();
            break;
        case MenuCommand::kVersion:
            ShowVersion();
            break;
        case MenuCommand::kTodaysPrograms:
            OpenTodaysPrograms();
            break;
        default:
            break;
    }
}

void CMainDlg::OnButton(int controlId, LPARAM value) {
    switch (controlId) {
        case kMiniButton:
            OpenMiniWindow();
            break;
        case kHideButton:
            HideShow();
            break;
        case kCloseButton:
            Close();
            break;
        case kInfoButton:
            OpenProgramInfo();
            break;
        case kPlayButton:
            Play();
            break;
        case kStopButton:
            Stop();
            break;
        case kMuteButton:
            // the toggle's new state: 2 pressed (sound off), 1 released
            viewer_->SetMute(value - 1 != 0);
            break;
        case kViewButton:
            View();
            break;
        default:
            break;  // links and the message composer come with their own windows
    }
}

// Without a tray there is nowhere to hide to, so nothing happens.
void CMainDlg::HideShow() {
    if (!program_.tray.IsEnabled()) {
        return;
    }
    switch (program_.viewMode) {
        case kViewMainShown:
            hide();
            program_.viewMode = kViewMainHidden;
            break;
        case kViewMainHidden:
            show();
            program_.viewMode = kViewMainShown;
            break;
        case kViewMiniShown:
            if (mini_ != nullptr) {
                mini_->hide();
            }
            program_.viewMode = kViewMiniHidden;
            break;
        case kViewMiniHidden:
            if (mini_ != nullptr) {
                mini_->show();
            }
            program_.viewMode = kViewMiniShown;
            break;
        default:
            break;
    }
}

void CMainDlg::Play() {
    const uint8_t flags = viewer_->GetFlags();
    if ((flags & CViewerDlg::kPlaying) == 0) {
        if (!Button(kLink1)->isVisible()) {
            PostMessage(programTable_.get(), UM_REFRESH_PROGRAM);
        }
        viewer_->Play((flags & CViewerDlg::kShown) != 0 ? vfmUrl_ : fmUrl_, false);
        SetTicker(StringTable::Load(119), QString());
        SetTimer(kTickerTimer, kPollPeriodMs);
    }
    if ((viewer_->GetFlags() & CViewerDlg::kMuted) != 0) {
        viewer_->SetMute(false);
        Button(kMuteButton)->SetState(CSkinButton::kUp);
    }
}

void CMainDlg::Stop() {
    viewer_->Stop();
    viewer_->Hide();
    if (TickerShowsConnecting()) {
        SetTicker(program_.state.scrollText, program_.state.scrollLink);
    }
}

// Between the audio channel and "Seeing Radio": the viewer shows once the video plays.
void CMainDlg::View() {
    const uint8_t flags = viewer_->GetFlags();
    if ((flags & CViewerDlg::kShown) != 0) {
        viewer_->Hide();
        viewer_->Stop();
        viewer_->Play(fmUrl_, true);
        SetTimer(kTickerTimer, kPollPeriodMs);
    } else if ((flags & CViewerDlg::kPlaying) != 0) {
        viewer_->Stop();
        viewer_->Play(vfmUrl_, true);
        SetTimer(kViewerTimer, kPollPeriodMs);
    } else if ((flags & CViewerDlg::kCreated) != 0) {
        viewer_->Play(vfmUrl_, true);
        SetTimer(kViewerTimer, kPollPeriodMs);
    } else {
        return;
    }
    SetTicker(StringTable::Load(119), QString());
}

void CMainDlg::Close() {
    if (program_.scheduleOption != 0 && !closingWithoutAsking_ &&
        ShowMessage(this, 142, MessageIcon::Warning, MessageButtons::YesNo) == IDNO) {
        return;
    }
    EndDialog(IDOK);
}

void CMainDlg::Settings() {
    CSettingsDlg settings(program_, this);
    const bool accepted = settings.DoModal() == IDOK;
    Redraw();
    if (!accepted) {
        return;
    }
    const int bits = settings.OptionBits();
    if (bits & CSettingsDlg::kAutoLogin) {
        program_.prefs.SetID(program_.login.userId);
        program_.prefs.SetPW(program_.login.password);
    }
    program_.prefs.SetOptionAutoLogin((bits & CSettingsDlg::kAutoLogin) ? 1 : 0);
    topMost_ = (bits & CSettingsDlg::kTopMost) ? 1 : 0;
    ApplyTopMost();
    program_.prefs.SetOptionTopMost(topMost_);
    const bool anyEntry = std::any_of(program_.schedule.begin(), program_.schedule.end(),
                                      [](uint8_t byte) { return byte != 0xFF; });
    program_.scheduleOption = (bits & CSettingsDlg::kSchedule) && anyEntry ? 1 : 0;
    program_.prefs.SetOptionSchedule(program_.scheduleOption);
    program_.prefs.SetSchedule(program_.schedule.data(), CPrefStore::kScheduleSize);
}

void CMainDlg::ChooseSkin() {
    QStringList skins =
        QDir(QStringLiteral("./Skins")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    bool chosen = false;
    const QString name = QInputDialog::getItem(
        this, QStringLiteral("Quilo"), StringTable::Load(113), skins,
        static_cast<int>(skins.indexOf(program_.skin.Name())), false, &chosen);
    Redraw();
    if (chosen && !name.isEmpty()) {
        SwitchSkin(name, true);
    }
}

// A skin that cannot be applied gives the "files are missing" message and the previous skin
// comes back; when that fails too, the window keeps what it has rather than trying forever.
void CMainDlg::SwitchSkin(const QString& name, bool fromChooser) {
    if (name.isEmpty() || name.compare(program_.skin.Name(), Qt::CaseInsensitive) == 0) {
        return;
    }
    if (fromChooser && IsMini(program_.viewMode)) {
        SendMessage(mini_, UM_MINI_CHANGE_SKIN, 0, 0, name);
        return;
    }
    const QString previous = program_.skin.Name();
    program_.skinChanging = 1;
    const bool switched = LoadSkin(name, false, true);
    if (!switched) {
        ShowMessage(this, 106, MessageIcon::Warning);
    }
    const QString current = switched ? name : previous;
    if (switched || LoadSkin(previous, false, true)) {
        SetTimer(kResyncTimer, kResyncDelayMs);
        program_.prefs.SetSkin(current);
        program_.skin.SetName(current);
    }
    program_.skinChanging = 0;
}

void CMainDlg::ShowVersion() {
    QMessageBox::about(
        this, QStringLiteral("Quilo"),
        StringTable::Load(116).replace(QStringLiteral("%s"), StringTable::Load(126)));
    Redraw();
}

void CMainDlg::OpenTodaysPrograms() {
    OpenWithDesktop(program_.config.mainSite +
                    QStringLiteral("/Schedule/Schedule_List.asp?category=004"));
}

void CMainDlg::OpenMiniWindow() {
    if (mini_ == nullptr) {
        mini_ = new CMiniDlg(program_, this);
    }
    mini_->Open(topMost_ != 0);
    PostMessage(mini_, UM_MINI_TICKER, 0, 0, QStringList{ticker_->GetLastItem(), [this] {
                                                             QString link;
                                                             ticker_->GetLastItem(&link);
                                                             return link;
                                                         }()});
    hide();
}

void CMainDlg::OpenProgramInfo() {
    QMessageBox::information(this, program_.state.title, program_.state.contents);
    Redraw();
}

void CMainDlg::OnRestoreMain(WPARAM skinChanged, const QRect& miniRect) {
    move(ClampToScreen(miniRect.topLeft(), size()));
    show();
    raise();
    activateWindow();
    program_.viewMode = kViewMainShown;
    program_.tray.SetWindow(this);
    if (skinChanged == 1) {
        PostMessage(this, UM_PROGRAM_CHANGED);
        PostMessage(this, UM_LINKS_CHANGED);
        LoadSkin(program_.skin.Name(), false, false);
    }
    SetTimer(kResyncTimer, kResyncDelayMs);
    if ((viewer_->GetFlags() & CViewerDlg::kMuted) != 0) {
        Button(kMuteButton)->SetState(CSkinButton::kDown);
    }
}

void CMainDlg::OnActivateInstance() {
    if (program_.viewMode == kViewMainHidden) {
        show();
        program_.viewMode = kViewMainShown;
    } else if (program_.viewMode == kViewMiniHidden && mini_ != nullptr) {
        mini_->show();
        program_.viewMode = kViewMiniShown;
    }
    // the later copy cannot bring another program's window forward here, so the face comes
    // forward by itself
    QWidget* face = VisibleFace();
    face->raise();
    face->activateWindow();
}

void CMainDlg::OnBringToFront() {
    if (program_.viewMode == kViewMainShown || program_.viewMode == kViewMiniShown) {
        QWidget* face = VisibleFace();
        face->raise();
        face->activateWindow();
    } else {
        HideShow();
    }
}

void CMainDlg::SetViewButtonShown(bool shown) {
    CSkinButton* view = Button(kViewButton);
    if (view->isVisible() != shown) {
        view->setVisible(shown);
    }
    viewButtonShown_ = shown ? 1 : 0;
}

void CMainDlg::OnProgramChanged() {
    SetViewButtonShown(program_.state.hasVfm != 0);
    if (!TickerShowsConnecting()) {
        SetTicker(program_.state.scrollText, program_.state.scrollLink);
    }
    Button(kInfoButton)->show();
    if (mini_ != nullptr && IsMini(program_.viewMode)) {
        mini_->ShowProgramButtons(true, program_.state.hasVfm != 0);
    }
    if (!characterArea_.isEmpty() && program_.state.characterTimes[0] != 0) {
        SetTimer(kCharacterTimer, 1000);
    }
}

void CMainDlg::OnProgramCleared() {
    const QString mainSite = program_.config.mainSite;
    program_.state.link1 = mainSite;
    program_.state.link2 = mainSite;
    program_.state.eventLink = mainSite;
    SetTicker(StringTable::Load(120), QString());
    Button(kInfoButton)->hide();
    SetViewButtonShown(false);
    if (mini_ != nullptr && IsMini(program_.viewMode)) {
        mini_->ShowProgramButtons(false, false);
    }
}

void CMainDlg::OnLinksCleared() {
    for (const int id : {kLink1, kLink2, kEventBanner}) {
        Button(id)->hide();
    }
}

void CMainDlg::OnScheduleFire() {
    if (program_.viewMode == kViewMainHidden || program_.viewMode == kViewMiniHidden) {
        HideShow();
    }
    if ((viewer_->GetFlags() & CViewerDlg::kPlaying) == 0) {
        Play();
    }
}

void CMainDlg::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        at = pos() + QPoint(10, 10);
    }
    setFocus();
    PlayerMenuState state;
    state.faceHidden = false;
    state.hasVisualStream = program_.state.hasVfm != 0;
    const std::unique_ptr<CNewMenu> menu = MakePlayerMenu(state, program_.skin.Text());
    menu->TrackPopupMenu(at - QPoint(0, kMenuLift), this);
    Redraw();
}

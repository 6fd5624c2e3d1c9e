#include "windows/CMainDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "content/CProgramTableDlg.h"
#include "content/Program.h"
#include "platform/MessageBox.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "skin/CNewMenu.h"
#include "skin/CSkinSlider.h"
#include "windows/CMiniDlg.h"
#include "windows/CTrayIcon.h"
#include "windows/UserMessages.h"

namespace {
constexpr int kTrayIconId = 124;
constexpr int kMenuToolbarId = 128;
constexpr int kStartTimerPeriodMs = 10;
}  // namespace

CMainDlg::CMainDlg(Program& program) : CSkinDialog(nullptr), program_(program) {
    // a new main window starts from a clean program state
    program_.viewMode = kViewMainShown;
    program_.scheduleOption = 0;
    program_.state = AppState::Defaults(program_.config.mainSite, StringTable::Load(130));
    viewer_ = std::make_unique<CViewerDlg>(program_, this);
}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::OnInitDialog() {
    CreateControls();
    setWindowIcon(QIcon(QStringLiteral(":/res/icon124.png")));
    programTable_ = std::make_unique<CProgramTableDlg>(program_, this);
    if (!LoadSkin(program_.skin.Name(), true, false)) {
        ShowMessage(this, 106, MessageIcon::Error);
        EndDialog(IDCANCEL);
        return false;
    }
    AddToolTips();
    program_.tray.Create(this, UM_TRAY_NOTIFY, QStringLiteral("Quilo"),
                         QIcon(QStringLiteral(":/res/icon196.png")), kTrayIconId, kMenuToolbarId);
    setWindowTitle(QStringLiteral("Quilo"));
    SetTimer(kStartTimer, kStartTimerPeriodMs);
    return true;
}

// The last work of the window: stop the sound, take the icon away and keep what the listener
// set for the next start.
void CMainDlg::OnDestroy() {
    viewer_->Stop();
    viewer_->Hide();
    program_.tray.RemoveIcon();
    if (mini_ != nullptr) {
        mini_->close();
    }
    program_.prefs.SetPosX(static_cast<uint32_t>(pos().x()));
    program_.prefs.SetPosY(static_cast<uint32_t>(pos().y()));
    const int viewMode = program_.viewMode;
    if (viewMode >= kViewMainShown && viewMode <= kViewMiniHidden) {
        program_.prefs.SetOptionMini(viewMode >= kViewMiniShown ? 1 : 0);
    }
    program_.prefs.SetVolume(static_cast<uint32_t>(volume_->GetPos()));
    program_.prefs.SetSkin(program_.skin.Name());
}

void CMainDlg::CloseWithoutAsking() {
    closingWithoutAsking_ = true;
    EndDialog(IDOK);
}

void CMainDlg::closeEvent(QCloseEvent* event) {
    // closed from outside (the window manager): the close command, with its question
    event->ignore();
    if (IsInModalRun()) {
        Close();
    }
}

// Enter and Escape never send or close anything, also not from inside the message box.
bool CMainDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            return true;
        }
    }
    return CSkinDialog::eventFilter(watched, event);
}

LRESULT CMainDlg::WindowProc(const WindowMessage& message) {
    switch (message.message) {
        case WM_COMMAND:
            OnCommand(static_cast<int>(message.wParam));
            return 1;
        case UM_SKINBUTTON_CLICK:
        case UM_MINI_COMMAND:
            OnButton(static_cast<int>(message.wParam), message.lParam);
            return 1;
        case UM_TRAY_NOTIFY:
            return program_.tray.OnTrayNotify(message.wParam, message.lParam);
        case UM_ACTIVATE_INSTANCE:
            OnActivateInstance();
            return 1;
        case UM_BRING_TO_FRONT:
            OnBringToFront();
            return 1;
        case UM_CHANGE_SKIN:
            SwitchSkin(message.payload.toString(), false);
            return 1;
        case UM_RESTORE_MAIN:
            OnRestoreMain(message.wParam, message.payload.toRect());
            return 1;
        case UM_SLIDER_TRACK:
        case UM_SLIDER_SET:
            viewer_->SetVolume(static_cast<int>(message.lParam));
            return 1;
        case UM_PROGRAM_CHANGED:
            OnProgramChanged();
            return 1;
        case UM_LINKS_CHANGED:
            return 1;  // the link images come with the message composer
        case UM_PROGRAM_CLEARED:
            OnProgramCleared();
            return 1;
        case UM_LINKS_CLEARED:
            OnLinksCleared();
            return 1;
        case UM_TICKER_TEXT:
            if (!TickerShowsConnecting()) {
                SetTicker(message.payload.toStringList().value(0),
                          message.payload.toStringList().value(1));
            }
            return 1;
        case UM_SCHEDULE_FIRE:
            OnScheduleFire();
            return 1;
        case UM_INFO_CLOSED:
            return 1;
        default:
            return CSkinDialog::WindowProc(message);
    }
}

#include "windows/CMiniDlg.h"

#include "content/Program.h"
#include "skin/CSkinButton.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "windows/CMainDlg.h"
#include "windows/CTrayIcon.h"
#include "windows/UserMessages.h"

namespace {

struct MiniButton {
    int controlId;  // the main window's button that does the same
    const char* key;
    const char* name;
};

constexpr MiniButton kButtons[] = {
    {CMiniDlg::kMainButton, "[MINI_MAIN]", "main"},
    {CMainDlg::kHideButton, "[MINI_HIDE]", "hide"},
    {CMainDlg::kCloseButton, "[MINI_CLOSE]", "close"},
    {CMainDlg::kInfoButton, "[MINI_INFO]", "info"},
    {CMainDlg::kPlayButton, "[MINI_PLAY]", "play"},
    {CMainDlg::kStopButton, "[MINI_STOP]", "stop"},
    {CMainDlg::kMuteButton, "[MINI_MUTE]", "mute"},
    {CMainDlg::kViewButton, "[MINI_VIEW]", "view"},
};

}  // namespace

CMiniDlg::CMiniDlg(Program& program, QWidget* mainWindow)
    : CSkinDialog(nullptr), program_(program), mainWindow_(mainWindow) {
    setWindowTitle(QStringLiteral("Quilo"));
    setAttribute(Qt::WA_DeleteOnClose);
    for (const MiniButton& button : kButtons) {
        buttons_.push_back(new CSkinButton(button.controlId, this));
    }
    ticker_ = new CTickerCtrl(this);
    ApplySkin();
}

void CMiniDlg::ApplySkin() {
    LoadBackground(program_.skin.FilePath(QStringLiteral("/mini_bg.bmp")));
    SetColorKeyTransparency(kSkinColorKey, true);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const MiniButton& key = kButtons[i];
        int32_t at[2] = {};
        if (!program_.skin.GetKeyValues(key.key, at, 2)) {
            buttons_[i]->hide();
            continue;
        }
        const QString stem =
            program_.skin.FilePath(QStringLiteral("/mini_btn_") + QLatin1String(key.name));
        const auto kind = key.controlId == CMainDlg::kMuteButton ? CSkinButton::kToggle
                                                                 : CSkinButton::kPushButton;
        buttons_[i]->LoadBitmaps(stem + QStringLiteral("_up.bmp"), stem + QStringLiteral("_dn.bmp"),
                                 QString(), kind, false);
        buttons_[i]->SetTransparentColor(kSkinColorKey);
        buttons_[i]->move(at[0], at[1]);
        const bool programButton =
            key.controlId == CMainDlg::kInfoButton || key.controlId == CMainDlg::kViewButton;
        buttons_[i]->setVisible(!programButton);
    }
    int32_t area[4] = {};
    if (program_.skin.GetKeyValues("[MINI_SCR]", area, 4)) {
        ticker_->setGeometry(area[0], area[1], area[2], area[3]);
        ticker_->SetPeriod(30);
        ticker_->show();
    }
    int32_t color[3] = {};
    if (program_.skin.GetKeyValues("[MINI_SCR_COL]", color, 3)) {
        ticker_->SetBkColor(QColor(color[0] & 0xFF, color[1] & 0xFF, color[2] & 0xFF));
    }
}

void CMiniDlg::Open(bool topMost) {
    setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    move(ClampToScreen(mainWindow_->pos(), size()));
    show();
    program_.viewMode = kViewMiniShown;
    program_.tray.SetWindow(this);
}

void CMiniDlg::ShowProgramButtons(bool info, bool view) {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (kButtons[i].controlId == CMainDlg::kInfoButton) {
            buttons_[i]->setVisible(info);
        } else if (kButtons[i].controlId == CMainDlg::kViewButton) {
            buttons_[i]->setVisible(view);
        }
    }
}

void CMiniDlg::ReturnToMain() {
    PostMessage(mainWindow_, UM_RESTORE_MAIN, skinChanged_ ? 1 : 0, 0, frameGeometry());
    close();
}

LRESULT CMiniDlg::WindowProc(const WindowMessage& message) {
    switch (message.message) {
        case UM_SKINBUTTON_CLICK:
            if (message.wParam == kMainButton) {
                ReturnToMain();
            } else {
                PostMessage(mainWindow_, UM_MINI_COMMAND, message.wParam, message.lParam);
            }
            return 1;
        case UM_MINI_TICKER: {
            const QStringList item = message.payload.toStringList();
            ticker_->Clear();
            ticker_->AddItem(item.value(0), item.value(1));
            ticker_->Start(true);
            return 1;
        }
        case UM_MINI_CHANGE_SKIN:
            if (program_.skin.Load(message.payload.toString())) {
                program_.prefs.SetSkin(program_.skin.Name());
                skinChanged_ = true;
                ApplySkin();
            }
            return 1;
        default:
            return CSkinDialog::WindowProc(message);
    }
}

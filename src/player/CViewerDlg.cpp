#include "player/CViewerDlg.h"

#include "platform/ActivityLog.h"
#include "platform/LogMessages.h"
#include "platform/Screen.h"
#include "platform/StringTable.h"
#include "player/VideoFrameView.h"
#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"

namespace {
const QString kBackground = QStringLiteral("/view_bg.bmp");
}  // namespace

CViewerDlg::CViewerDlg(ActivityLog& log, const SkinInfo& skin, QStringList engineOptions,
                       QWidget* owner)
    : CSkinDialog(owner, Qt::Tool),
      log_(log),
      skin_(skin),
      engineOptions_(std::move(engineOptions)) {
    setWindowTitle(QStringLiteral("Seeing Radio"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    video_ = new VideoFrameView(this);
    // an X11 window of its own for the engine to draw into
    video_->setAttribute(Qt::WA_NativeWindow, WindowsAreX11());
    // mouse presses on the video reach this window, so the video drags the viewer too
    video_->setAttribute(Qt::WA_TransparentForMouseEvents);
    video_->setGeometry(0, 0, kVideoWidth, kVideoHeight);
    closeButton_ = new CSkinButton(this);
    closeButton_->setAccessibleName(StringTable::Load(StringId::kClose));
    closeButton_->hide();
    // closing the viewer is the owner's view command: back to the audio channel
    connect(closeButton_, &CSkinButton::clicked, this, &CViewerDlg::closeRequested,
            Qt::QueuedConnection);
    resize(kVideoWidth, kVideoHeight);
}

bool CViewerDlg::Create() {
    if (IsCreated()) {
        return true;
    }
    auto player = std::make_unique<MediaPlayer>(engineOptions_);
    if (!player->IsCreated()) {
        return false;
    }
    player_ = std::move(player);
    if (WindowsAreX11()) {
        player_->SetVideoWindow(video_->winId());
    } else {
        player_->DrawVideoInto(*video_);
    }
    connect(player_.get(), &MediaPlayer::errorOccurred, this, &CViewerDlg::OnPlayerError);
    connect(player_.get(), &MediaPlayer::playStateChanged, this, &CViewerDlg::OnPlayStateChanged);
    connect(player_.get(), &MediaPlayer::audioOutputUnavailable, this,
            &CViewerDlg::soundOutputUnavailable);
    return true;
}

CViewerDlg::~CViewerDlg() = default;

void CViewerDlg::WriteLog(const char* text) {
    log_.WriteLog(text);
}

void CViewerDlg::Play(const QString& address, bool keepMute) {
    WriteLog(LogText::kTryPlay);
    if (!IsCreated()) {
        WriteLog(LogText::kPlayNoPlayer);
        return;
    }
    if (!keepMute && muted_) {
        muted_ = false;
        player_->SetMute(false);
    }
    player_->Play(address);
    playRequested_ = true;
    WriteLog(LogText::kPlayed);
}

void CViewerDlg::PlayHeld(const QString& address, std::shared_ptr<HoldTape> tape) {
    WriteLog(LogText::kTryPlay);
    if (!IsCreated()) {
        WriteLog(LogText::kPlayNoPlayer);
        return;
    }
    player_->PlayHeld(address, std::move(tape));
    playRequested_ = true;
    WriteLog(LogText::kPlayed);
}

void CViewerDlg::Stop() {
    WriteLog(LogText::kTryStop);
    if (!IsCreated()) {
        WriteLog(LogText::kStopNoPlayer);
        return;
    }
    player_->Stop();
    video_->Clear();
    playRequested_ = false;
    WriteLog(LogText::kStopped);
}

void CViewerDlg::Show(int x, int y) {
    WriteLog(LogText::kTryShow);
    if (!IsCreated()) {
        WriteLog(LogText::kShowNoPlayer);
        return;
    }
    if (muted_) {
        player_->SetMute(true);
    }
    QSize backgroundSize;
    if (GetBitmapFileSize(skin_.FilePath(kBackground), backgroundSize)) {
        PlaceSkinned(QPoint(x, y), backgroundSize);
    } else {
        PlaceAtVideoSize(QPoint(x, y));
    }
    shown_ = true;
    WriteLog(LogText::kShown);
}

void CViewerDlg::PlaceSkinned(const QPoint& wanted, const QSize& backgroundSize) {
    LoadBackground(skin_.FilePath(kBackground));
    setGeometry(QRect(ClampToScreen(wanted, backgroundSize), backgroundSize));
    show();
    int32_t at[2] = {0, 0};
    if (skin_.GetKeyValues("[VIEW_VIEWER]", at, 2)) {
        video_->setGeometry(at[0], at[1], kVideoWidth, kVideoHeight);
        video_->show();
        PlaceCloseButton();
    } else {
        video_->setGeometry(0, 0, kVideoWidth, kVideoHeight);
        video_->show();
    }
}

void CViewerDlg::PlaceCloseButton() {
    int32_t at[2] = {0, 0};
    if (!skin_.GetKeyValues("[VIEW_CLOSE]", at, 2)) {
        closeButton_->hide();
        return;
    }
    closeButton_->LoadBitmaps(skin_.FilePath(QStringLiteral("/view_btn_close_up.bmp")),
                              skin_.FilePath(QStringLiteral("/view_btn_close_dn.bmp")), QString(),
                              CSkinButton::Kind::PushButton, false);
    closeButton_->SetTransparentColor(kSkinColorKey);
    closeButton_->move(at[0], at[1]);
    closeButton_->show();
    closeButton_->raise();
}

// Without a skin background the viewer is just the video, at the video's own size.
void CViewerDlg::PlaceAtVideoSize(const QPoint& wanted) {
    QSize videoSize = player_->VideoSize();
    if (videoSize.isEmpty()) {
        videoSize = QSize(kVideoWidth, kVideoHeight);
    }
    setGeometry(QRect(ClampToScreen(wanted, videoSize), videoSize));
    show();
    raise();
    video_->setGeometry(QRect(QPoint(0, 0), videoSize));
    video_->show();
}

void CViewerDlg::Hide() {
    if (!IsCreated()) {
        return;
    }
    hide();
    shown_ = false;
}

bool CViewerDlg::IsPlaying() const {
    return IsCreated() && player_->CurrentPlayState() == MediaPlayer::kPlaying;
}

int CViewerDlg::GetVolume() const {
    return IsCreated() ? player_->Volume() : 0;
}

void CViewerDlg::SetVolume(int volume) {
    if (!IsCreated()) {
        return;
    }
    player_->SetVolume(volume);
    if (muted_) {
        player_->SetMute(true);
    }
}

void CViewerDlg::SetMute(bool mute) {
    if (!IsCreated()) {
        return;
    }
    muted_ = mute;
    player_->SetMute(mute);
}

QString CViewerDlg::GetPlayerVersion() const {
    return IsCreated() ? player_->VersionInfo().left(2) : QString();
}

// A stream that reaches the playing state takes the mute the listener chose.
void CViewerDlg::OnPlayStateChanged(int state) {
    if (state == MediaPlayer::kPlaying) {
        player_->SetMute(muted_);
    }
}

void CViewerDlg::OnPlayerError() {
    Hide();
    Stop();
    emit playbackFailed();
}

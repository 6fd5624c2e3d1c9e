#include "windows/StreamControl.h"

#include "content/Program.h"
#include "platform/LogMessages.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/StreamRecovery.h"
#include "windows/TickerRule.h"

namespace {
constexpr int kPollPeriodMs = 500;
}  // namespace

StreamControl::StreamControl(Program& program, TickerRule& ticker,
                             std::function<QRect()> faceGeometry, QWidget* owner)
    : QObject(owner),
      program_(program),
      ticker_(ticker),
      faceGeometry_(std::move(faceGeometry)),
      viewer_(new CViewerDlg(program.log, program.skin, program.config.vlcArgs, owner)),
      recovery_(new StreamRecovery(program.log, RetryPolicy(), this)) {
    playingPoll_.setInterval(kPollPeriodMs);
    viewerPoll_.setInterval(kPollPeriodMs);
    connect(&playingPoll_, &QTimer::timeout, this, &StreamControl::OnPlayingPoll);
    connect(&viewerPoll_, &QTimer::timeout, this, &StreamControl::OnViewerPoll);
    connect(viewer_, &CViewerDlg::playbackFailed, this, &StreamControl::OnStreamFailed);
    connect(recovery_, &StreamRecovery::retryDue, this, [this] { PlayStream(true); });
    connect(viewer_, &CViewerDlg::closeRequested, this, &StreamControl::View, Qt::QueuedConnection);
    connect(viewer_, &CViewerDlg::soundOutputUnavailable, this,
            &StreamControl::OnSoundOutputUnavailable);
}

StreamControl::~StreamControl() = default;

void StreamControl::Start(int volume, bool play) {
    if (viewer_->Create()) {
        connect(viewer_->Engine(), &MediaPlayer::playStateChanged, this, [this](int state) {
            if (state == MediaPlayer::kPlaying) {
                OnStreamPlaying();
            }
        });
    }
    ChooseStreamAddresses();
    viewer_->SetVolume(volume);
    if (play) {
        viewer_->Play(fmUrl_, false);
        ticker_.ShowConnecting();
        playingPoll_.start();
        emit playRequestChanged(true);
    }
}

// The version text's first two characters, read positionally: "3." of libVLC 3 reads 30 and,
// being above 10, selects MMS on port 8080. Without an engine the version is empty.
void StreamControl::ChooseStreamAddresses() {
    const QByteArray version = viewer_->GetPlayerVersion().toLatin1();
    const QString server = program_.config.streamServer;
    if (SkinInfo::ParseFieldNumber(version) > 10) {
        fmUrl_ = QStringLiteral("mms://%1:8080/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mms://%1:8080/L-VFM_300k").arg(server);
    } else {
        fmUrl_ = QStringLiteral("mmst://%1/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mmst://%1/L-VFM_300k").arg(server);
    }
}

void StreamControl::Play() {
    PlayStream(false);
}

// `again`: a stream that broke off is tried again, and the ticker goes on saying so.
void StreamControl::PlayStream(bool again) {
    // a new stream takes the mute off by itself; the faces are told either way
    const bool wasMuted = viewer_->IsMuted();
    if (!viewer_->IsPlayRequested()) {
        emit playStarting();
        viewer_->Play(viewer_->IsShown() ? vfmUrl_ : fmUrl_, false);
        if (again) {
            ticker_.ShowReconnecting();
        } else {
            recovery_->StreamOpened();
            ticker_.ShowConnecting();
        }
        playingPoll_.start();
        emit playRequestChanged(true);
    }
    if (viewer_->IsMuted()) {
        viewer_->SetMute(false);
    }
    if (wasMuted) {
        emit unmuted();
    }
}

void StreamControl::Stop() {
    recovery_->Stop();
    viewer_->Stop();
    viewer_->Hide();
    if (ticker_.ShowsConnecting()) {
        ticker_.ShowProgram();
    }
    emit playRequestChanged(false);
}

void StreamControl::View() {
    recovery_->StreamOpened();
    if (viewer_->IsShown()) {
        viewer_->Hide();
        viewer_->Stop();
        viewer_->Play(fmUrl_, true);
        playingPoll_.start();
    } else if (viewer_->IsPlayRequested()) {
        viewer_->Stop();
        viewer_->Play(vfmUrl_, true);
        viewerPoll_.start();
    } else if (viewer_->IsCreated()) {
        viewer_->Play(vfmUrl_, true);
        viewerPoll_.start();
    } else {
        return;
    }
    ticker_.ShowConnecting();
}

void StreamControl::SetVolume(int volume) {
    viewer_->SetVolume(volume);
}

void StreamControl::SetMute(bool mute) {
    viewer_->SetMute(mute);
}

int StreamControl::Volume() const {
    return viewer_->GetVolume();
}

bool StreamControl::IsMuted() const {
    return viewer_->IsMuted();
}

bool StreamControl::IsPlayRequested() const {
    return viewer_->IsPlayRequested();
}

// The viewer has stopped the stream and hidden itself; the ticker keeps the program's texts away
// until the stream plays again.
void StreamControl::OnStreamFailed() {
    playingPoll_.stop();
    viewerPoll_.stop();
    ticker_.ShowReconnecting();
    recovery_->StreamFailed();
}

void StreamControl::OnStreamPlaying() {
    recovery_->StreamPlaying();
}

void StreamControl::OnPlayingPoll() {
    if (!viewer_->IsPlaying()) {
        return;
    }
    playingPoll_.stop();
    ticker_.ShowProgram();
}

void StreamControl::OnViewerPoll() {
    if (!viewer_->IsPlaying()) {
        return;
    }
    viewerPoll_.stop();
    const QRect face = faceGeometry_();
    viewer_->Show(face.left(), face.bottom() + 1);
    ticker_.ShowProgram();
}

// The stream itself goes on (it may be watched, and a sound device may come back): the ticker
// keeps the notice instead of the program's text until the program changes.
void StreamControl::OnSoundOutputUnavailable() {
    if (toldNoSoundOutput_) {
        return;
    }
    toldNoSoundOutput_ = true;
    program_.log.WriteLog(LogText::kNoSoundOutput);
    playingPoll_.stop();
    ticker_.Set(StringTable::Load(StringId::kNoSoundOutput), QString());
}

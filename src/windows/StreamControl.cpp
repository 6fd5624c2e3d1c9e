#include "windows/StreamControl.h"

#include <algorithm>
#include <cmath>

#include "content/PlayerModel.h"
#include "content/Program.h"
#include "platform/KeyNumbers.h"
#include "platform/LogMessages.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
#include "player/StreamRecovery.h"
#include "windows/LivePause.h"
#include "windows/TickerRule.h"

#include <QUrl>

#include <utility>

StreamControl::StreamControl(Program& program, TickerRule& ticker,
                             std::function<QRect()> faceGeometry, QWidget* owner)
    : QObject(owner),
      program_(program),
      model_(program.player),
      ticker_(ticker),
      faceGeometry_(std::move(faceGeometry)),
      viewer_(new CViewerDlg(program.log, program.skin, program.config.vlcArgs, owner)),
      recovery_(new StreamRecovery(program.log, RetryPolicy(), this)),
      pause_(new LivePause(program.log, model_, *viewer_, program.config.vlcArgs, this)) {
    connect(viewer_, &CViewerDlg::playbackFailed, this, &StreamControl::OnStreamFailed);
    connect(recovery_, &StreamRecovery::retryDue, this, [this] { PlayStream(true); });
    connect(viewer_, &CViewerDlg::closeRequested, this, &StreamControl::View, Qt::QueuedConnection);
    connect(viewer_, &CViewerDlg::soundOutputUnavailable, this,
            &StreamControl::OnSoundOutputUnavailable);
    connect(&model_, &PlayerModel::volumeChanged, this, &StreamControl::ApplyVolume);
    connect(&model_, &PlayerModel::mutedChanged, viewer_, &CViewerDlg::SetMute);
}

StreamControl::~StreamControl() = default;

void StreamControl::Start(bool play) {
    if (viewer_->Create()) {
        connect(viewer_->Engine(), &MediaPlayer::playStateChanged, this, [this](int state) {
            if (state == MediaPlayer::kPlaying) {
                OnStreamPlaying();
            }
        });
    }
    ChooseStreamAddresses();
    ApplyVolume();
    if (play) {
        viewer_->Play(fmUrl_, false);
        ticker_.ShowConnecting();
        whenPlaying_ = WhenPlaying::ShowProgram;
        model_.SetPlaying(true);
    }
}

// The version text's first two characters, read positionally: "3." of libVLC 3 reads 30 and,
// being above 10, selects MMS on port 8080. Without an engine the version is empty.
void StreamControl::ChooseStreamAddresses() {
    const QByteArray version = viewer_->GetPlayerVersion().toLatin1();
    const QString server = program_.config.streamServer;
    if (ParseFieldNumber(version) > 10) {
        fmUrl_ = QStringLiteral("mms://%1:8080/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mms://%1:8080/L-VFM_300k").arg(server);
    } else {
        fmUrl_ = QStringLiteral("mmst://%1/L-FM_300k").arg(server);
        vfmUrl_ = QStringLiteral("mmst://%1/L-VFM_300k").arg(server);
    }
    // both channels come from the same server; MMS over TCP listens on 1755 unless told
    constexpr int kMmsPort = 1755;
    const QUrl stream(fmUrl_);
    recovery_->SetServer(stream.host(), static_cast<quint16>(stream.port(kMmsPort)));
}

void StreamControl::Play() {
    if (pause_->PlayOn()) {
        whenPlaying_ = WhenPlaying::ShowProgram;
        return;
    }
    PlayStream(false);
}

void StreamControl::Pause() {
    const bool live = !pause_->IsBehindLive();
    if (viewer_->IsShown() || (live && !viewer_->IsPlaying())) {
        return;
    }
    pause_->Pause(fmUrl_);
}

void StreamControl::BackToLive() {
    if (!pause_->IsBehindLive()) {
        return;
    }
    pause_->Forget();
    program_.log.WriteLog(LogText::kBackToLive);
    recovery_->StreamOpened();
    viewer_->Play(fmUrl_, true);
    whenPlaying_ = WhenPlaying::ShowProgram;
    ticker_.ShowConnecting();
    model_.SetPlaying(true);
}

// `again`: a stream that broke off is tried again, and the ticker goes on saying so.
void StreamControl::PlayStream(bool again) {
    if (!viewer_->IsPlayRequested()) {
        emit playStarting();
        viewer_->Play(viewer_->IsShown() ? vfmUrl_ : fmUrl_, false);
        if (again) {
            ticker_.ShowReconnecting();
        } else {
            recovery_->StreamOpened();
            ticker_.ShowConnecting();
        }
        whenPlaying_ = WhenPlaying::ShowProgram;
        model_.SetPlaying(true);
    }
    // Play always brings the sound back (a new stream has taken the mute off by itself already)
    if (viewer_->IsMuted()) {
        viewer_->SetMute(false);
    }
    model_.SetMuted(false);
}

void StreamControl::Stop() {
    pause_->Forget();
    recovery_->Stop();
    viewer_->Stop();
    viewer_->Hide();
    if (ticker_.IsShowingConnecting()) {
        ticker_.ShowProgram();
    }
    model_.SetPlaying(false);
}

void StreamControl::View() {
    pause_->Forget();
    recovery_->StreamOpened();
    if (viewer_->IsShown()) {
        viewer_->Hide();
        viewer_->Stop();
        viewer_->Play(fmUrl_, true);
        whenPlaying_ = WhenPlaying::ShowProgram;
    } else if (viewer_->IsPlayRequested()) {
        viewer_->Stop();
        viewer_->Play(vfmUrl_, true);
        whenPlaying_ = WhenPlaying::ShowViewer;
    } else if (viewer_->IsCreated()) {
        viewer_->Play(vfmUrl_, true);
        whenPlaying_ = WhenPlaying::ShowViewer;
    } else {
        return;
    }
    ticker_.ShowConnecting();
}

bool StreamControl::IsPlayRequested() const {
    return viewer_->IsPlayRequested();
}

// The viewer has stopped the stream and hidden itself; the ticker keeps the program's texts away
// until the stream plays again.
void StreamControl::OnStreamFailed() {
    // it is opened again at what is on air
    pause_->Forget();
    whenPlaying_ = WhenPlaying::Nothing;
    ticker_.ShowReconnecting();
    recovery_->StreamFailed();
}

// The engine reports each stream that starts playing once: the ticker gets the program back,
// and a visual stream's viewer opens under the face on screen.
void StreamControl::OnStreamPlaying() {
    recovery_->StreamPlaying();
    const WhenPlaying next = std::exchange(whenPlaying_, WhenPlaying::Nothing);
    if (next == WhenPlaying::ShowViewer) {
        const QRect face = faceGeometry_();
        viewer_->Show(face.left(), face.bottom() + 1);
    }
    if (next != WhenPlaying::Nothing) {
        ticker_.ShowProgram();
    }
}

// The stream itself goes on (it may be watched, and a sound device may come back): the ticker
// keeps the notice instead of the program's text until the program changes.
void StreamControl::OnSoundOutputUnavailable() {
    if (toldNoSoundOutput_) {
        return;
    }
    toldNoSoundOutput_ = true;
    program_.log.WriteLog(LogText::kNoSoundOutput);
    whenPlaying_ = WhenPlaying::Nothing;
    ticker_.Set(StringTable::Load(StringId::kNoSoundOutput), QString());
}

void StreamControl::SetFade(double share) {
    fade_ = std::clamp(share, 0.0, 1.0);
    ApplyVolume();
}

// What is heard: the listener's volume, faded by the sleep timer when it runs out.
void StreamControl::ApplyVolume() {
    viewer_->SetVolume(static_cast<int>(std::lround(model_.Volume() * fade_)));
}

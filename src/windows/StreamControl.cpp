#include "windows/StreamControl.h"

#include "content/Program.h"
#include "platform/LogMessages.h"
#include "platform/StringTable.h"
#include "player/CViewerDlg.h"
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
      viewer_(new CViewerDlg(program.log, program.skin, program.config.vlcArgs, owner)) {
    playingPoll_.setInterval(kPollPeriodMs);
    viewerPoll_.setInterval(kPollPeriodMs);
    connect(&playingPoll_, &QTimer::timeout, this, &StreamControl::OnPlayingPoll);
    connect(&viewerPoll_, &QTimer::timeout, this, &StreamControl::OnViewerPoll);
    connect(viewer_, &CViewerDlg::playbackFailed, this, &StreamControl::Play, Qt::QueuedConnection);
    connect(viewer_, &CViewerDlg::closeRequested, this, &StreamControl::View, Qt::QueuedConnection);
    connect(viewer_, &CViewerDlg::soundOutputUnavailable, this,
            &StreamControl::OnSoundOutputUnavailable);
}

StreamControl::~StreamControl() = default;

void StreamControl::Start(int volume, bool play) {
    viewer_->Create();
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
    if (!viewer_->IsPlayRequested()) {
        emit playStarting();
        viewer_->Play(viewer_->IsShown() ? vfmUrl_ : fmUrl_, false);
        ticker_.ShowConnecting();
        playingPoll_.start();
        emit playRequestChanged(true);
    }
    if (viewer_->IsMuted()) {
        viewer_->SetMute(false);
        emit unmuted();
    }
}

void StreamControl::Stop() {
    viewer_->Stop();
    viewer_->Hide();
    if (ticker_.ShowsConnecting()) {
        ticker_.ShowProgram();
    }
    emit playRequestChanged(false);
}

void StreamControl::View() {
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

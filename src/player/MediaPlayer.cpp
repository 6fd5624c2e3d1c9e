#include "player/MediaPlayer.h"

#include <vlc/vlc.h>

#include <QMetaObject>
#include <QUrl>
#include <vector>

#include "player/AudioOutputProbe.h"
#include "player/EngineLog.h"
#include "player/HoldTape.h"
#include "player/VideoFrameView.h"

namespace {

// libVLC's video callbacks, on its decoding thread: one plane of 32-bit pixels per frame
void* LockVideoFrame(void* view, void** planes) {
    *planes = static_cast<VideoFrameView*>(view)->LockFrame();
    return nullptr;
}

void ShowVideoFrame(void* view, void*) {
    static_cast<VideoFrameView*>(view)->PresentFrame();
}

const libvlc_event_type_t kWatchedEvents[] = {
    libvlc_MediaPlayerPlaying,    libvlc_MediaPlayerPaused,           libvlc_MediaPlayerStopped,
    libvlc_MediaPlayerEndReached, libvlc_MediaPlayerEncounteredError, libvlc_MediaPlayerOpening,
    libvlc_MediaPlayerESAdded};

// libVLC's own default
constexpr int kDefaultNetworkCacheMs = 1000;

std::vector<QByteArray> EngineArguments(const QStringList& extraOptions, bool quiet,
                                        bool chooseOutput) {
    std::vector<QByteArray> arguments = {
        "--no-video-title-show", "--no-stats", "--no-snapshot-preview", "--no-xlib",
        // the window's own mouse handling drags the viewer; the video must not take the clicks
        "--no-mouse-events", "--no-keyboard-events"};
    if (quiet) {
        // what the engine says before our own log handler takes over
        arguments.push_back("--quiet");
    }
    if (chooseOutput) {
        // the engine makes an output as soon as the player exists; the real one is picked when
        // a stream starts, and trying every output here would only fill the log
        arguments.push_back(QByteArray("--aout=") + AudioOutputProbe::kNoOutput);
    }
    for (const QString& option : extraOptions) {
        arguments.push_back(option.toLocal8Bit());
    }
    return arguments;
}

int NetworkCacheMs(const QStringList& options) {
    const QString prefix = QStringLiteral("--network-caching=");
    for (const QString& option : options) {
        bool ok = false;
        const int value = option.startsWith(prefix) ? option.mid(prefix.size()).toInt(&ok) : 0;
        if (ok && value >= 0) {
            return value;
        }
    }
    return kDefaultNetworkCacheMs;
}

bool NamesAudioOutput(const QStringList& options) {
    for (const QString& option : options) {
        if (option == QStringLiteral("--aout") || option.startsWith(QStringLiteral("--aout=")) ||
            option == QStringLiteral("-A")) {
            return true;
        }
    }
    return false;
}

}  // namespace

MediaPlayer::MediaPlayer(const QStringList& engineOptions, QObject* parent)
    : QObject(parent),
      watch_([this] { return PlayedMs(); }, NetworkCacheMs(engineOptions)),
      chooseOutput_(!NamesAudioOutput(engineOptions)) {
    const int verbosity = EngineLog::VerbosityFrom(engineOptions);
    const std::vector<QByteArray> arguments =
        EngineArguments(engineOptions, verbosity < 1, chooseOutput_);
    instance_ = NewEngine(arguments);
    if (instance_ == nullptr) {
        return;
    }
    log_ = std::make_unique<EngineLog>(instance_, verbosity);
    connect(log_.get(), &EngineLog::audioOutputFailed, this, &MediaPlayer::ReportNoAudioOutput,
            Qt::QueuedConnection);
    connect(&watch_, &StreamWatch::stalled, this, &MediaPlayer::ReportFailure);
    player_ = libvlc_media_player_new(instance_);
    if (player_ == nullptr) {
        return;
    }
    libvlc_video_set_mouse_input(player_, 0);
    libvlc_video_set_key_input(player_, 0);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(player_);
    for (const libvlc_event_type_t type : kWatchedEvents) {
        libvlc_event_attach(events, type, &MediaPlayer::OnEngineEvent, this);
    }
}

MediaPlayer::~MediaPlayer() {
    if (player_ != nullptr) {
        LetGoOfTape();
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(player_);
        for (const libvlc_event_type_t type : kWatchedEvents) {
            libvlc_event_detach(events, type, &MediaPlayer::OnEngineEvent, this);
        }
        libvlc_media_player_stop(player_);
        libvlc_media_player_release(player_);
    }
    log_.reset();
    if (instance_ != nullptr) {
        libvlc_release(instance_);
    }
}

libvlc_instance_t* MediaPlayer::NewEngine(const std::vector<QByteArray>& arguments) {
    std::vector<const char*> argv;
    for (const QByteArray& argument : arguments) {
        argv.push_back(argument.constData());
    }
    return libvlc_new(static_cast<int>(argv.size()), argv.data());
}

QString MediaPlayer::VersionInfo() const {
    return QString::fromLatin1(libvlc_get_version());
}

void MediaPlayer::SetVideoWindow(unsigned long windowId) {
    if (player_ != nullptr) {
        libvlc_media_player_set_xwindow(player_, static_cast<uint32_t>(windowId));
    }
}

void MediaPlayer::DrawVideoInto(VideoFrameView& view) {
    if (player_ == nullptr) {
        return;
    }
    libvlc_video_set_callbacks(player_, &LockVideoFrame, nullptr, &ShowVideoFrame, &view);
    libvlc_video_set_format(player_, "RV32", VideoFrameView::kFrameWidth,
                            VideoFrameView::kFrameHeight, VideoFrameView::kFrameWidth * 4);
}

QString MediaPlayer::EngineAddress(const QString& address) {
    QUrl url(address);
    if (url.scheme().compare(QStringLiteral("mms"), Qt::CaseInsensitive) == 0) {
        url.setScheme(QStringLiteral("mmsh"));
        return url.toString();
    }
    return address;
}

void MediaPlayer::Play(const QString& address) {
    if (player_ == nullptr) {
        return;
    }
    requestedAddress_ = address;
    noOutputReported_ = false;
    OpenAddress(EngineAddress(address), true);
}

void MediaPlayer::PlayHeld(const QString& address, std::shared_ptr<HoldTape> tape) {
    if (player_ == nullptr) {
        return;
    }
    requestedAddress_ = address;
    noOutputReported_ = false;
    openedAddress_.clear();
    LetGoOfTape();
    tape_ = std::move(tape);
    OpenMedia(libvlc_media_new_callbacks(instance_, &HoldTape::OpenReader, &HoldTape::Read,
                                         &HoldTape::Seek, &HoldTape::CloseReader, tape_.get()),
              true);
}

void MediaPlayer::SetPaused(bool paused) {
    if (player_ == nullptr || tape_ == nullptr) {
        return;
    }
    // time stands still while paused: that is no stall
    if (paused) {
        watch_.Stop();
    } else {
        watch_.Start();
    }
    libvlc_media_player_set_pause(player_, paused ? 1 : 0);
}

// The engine waits in the tape's read at the end of what is held; it must be let go before the
// engine is stopped, which waits for its reading to end.
void MediaPlayer::LetGoOfTape() {
    if (tape_ != nullptr) {
        tape_->EndReading();
    }
}

void MediaPlayer::OpenAddress(const QString& engineAddress, bool newStart) {
    openedAddress_ = engineAddress;
    LetGoOfTape();
    OpenMedia(libvlc_media_new_location(instance_, engineAddress.toUtf8().constData()), newStart);
    tape_.reset();
}

void MediaPlayer::OpenMedia(libvlc_media_t* media, bool newStart) {
    if (media == nullptr) {
        return;
    }
    // ends the stream before, whose last events are then behind us
    libvlc_media_player_set_media(player_, media);
    libvlc_media_release(media);
    ++generation_;
    failureReported_ = false;
    if (newStart) {
        log_->Arm();
    }
    if (newStart && chooseOutput_) {
        const QString output = AudioOutputProbe::Choose();
        libvlc_audio_output_set(player_, output.toLatin1().constData());
        if (output == QLatin1String(AudioOutputProbe::kNoOutput)) {
            // after Play has returned, like every other report of the engine
            QMetaObject::invokeMethod(this, &MediaPlayer::ReportNoAudioOutput,
                                      Qt::QueuedConnection);
        }
    }
    watch_.Start();
    libvlc_media_player_play(player_);
}

void MediaPlayer::Stop() {
    if (player_ == nullptr) {
        return;
    }
    watch_.Stop();
    LetGoOfTape();
    libvlc_media_player_stop(player_);
    libvlc_media_player_set_media(player_, nullptr);
    tape_.reset();
    // the Stopped event the engine has just sent is not a failure
    ++generation_;
    requestedAddress_.clear();
    openedAddress_.clear();
}

qint64 MediaPlayer::PlayedMs() const {
    return player_ != nullptr ? libvlc_media_player_get_time(player_) : -1;
}

void MediaPlayer::ReportFailure() {
    if (requestedAddress_.isEmpty() || failureReported_) {
        return;
    }
    failureReported_ = true;
    watch_.Stop();
    emit errorOccurred();
}

void MediaPlayer::ReportNoAudioOutput() {
    if (requestedAddress_.isEmpty() || noOutputReported_) {
        return;
    }
    noOutputReported_ = true;
    emit audioOutputUnavailable();
}

int MediaPlayer::CurrentPlayState() const {
    if (player_ == nullptr) {
        return kUndefined;
    }
    switch (libvlc_media_player_get_state(player_)) {
        case libvlc_Playing:
            return kPlaying;
        case libvlc_Paused:
            return kPaused;
        case libvlc_Opening:
        case libvlc_Buffering:
            return kTransitioning;
        case libvlc_NothingSpecial:
            return kUndefined;
        default:
            return kStopped;
    }
}

void MediaPlayer::SetVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    ApplyAudioSettings();
}

void MediaPlayer::SetMute(bool mute) {
    muted_ = mute;
    ApplyAudioSettings();
}

// The engine forgets both whenever its audio output is made again, so they are given again at
// every start of a stream as well.
void MediaPlayer::ApplyAudioSettings() {
    if (player_ == nullptr) {
        return;
    }
    libvlc_audio_set_volume(player_, volume_);
    libvlc_audio_set_mute(player_, muted_ ? 1 : 0);
}

QSize MediaPlayer::VideoSize() const {
    unsigned width = 0;
    unsigned height = 0;
    if (player_ == nullptr || libvlc_video_get_size(player_, 0, &width, &height) != 0) {
        return {};
    }
    return QSize(static_cast<int>(width), static_cast<int>(height));
}

void MediaPlayer::OnEngineEvent(const libvlc_event_t* event, void* self) {
    auto* player = static_cast<MediaPlayer*>(self);
    const int eventType = event->type;
    const unsigned generation = player->generation_.load();
    QMetaObject::invokeMethod(
        player,
        [player, eventType, generation] { player->HandleEngineEvent(eventType, generation); },
        Qt::QueuedConnection);
}

void MediaPlayer::HandleEngineEvent(int eventType, unsigned generation) {
    if (generation != generation_.load()) {
        return;
    }
    switch (eventType) {
        case libvlc_MediaPlayerPlaying:
        case libvlc_MediaPlayerESAdded:
            ApplyAudioSettings();
            if (eventType == libvlc_MediaPlayerPlaying) {
                emit playStateChanged(kPlaying);
            }
            break;
        case libvlc_MediaPlayerEncounteredError:
            // a server that does not speak MMS over HTTP may still serve the stream plainly
            if (openedAddress_.startsWith(QStringLiteral("mmsh://"))) {
                QUrl plain(openedAddress_);
                plain.setScheme(QStringLiteral("http"));
                OpenAddress(plain.toString(), false);
                return;
            }
            ReportFailure();
            break;
        case libvlc_MediaPlayerStopped:
        case libvlc_MediaPlayerEndReached:
            emit playStateChanged(kStopped);
            // a live stream has no end: the server went away or the connection broke
            ReportFailure();
            break;
        case libvlc_MediaPlayerPaused:
            emit playStateChanged(kPaused);
            break;
        default:
            emit playStateChanged(kTransitioning);
            break;
    }
}

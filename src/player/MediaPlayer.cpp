#include "player/MediaPlayer.h"

#include <vlc/vlc.h>

#include <QMetaObject>
#include <QUrl>
#include <vector>

namespace {

const libvlc_event_type_t kWatchedEvents[] = {
    libvlc_MediaPlayerPlaying,    libvlc_MediaPlayerPaused,           libvlc_MediaPlayerStopped,
    libvlc_MediaPlayerEndReached, libvlc_MediaPlayerEncounteredError, libvlc_MediaPlayerOpening,
    libvlc_MediaPlayerESAdded};

std::vector<QByteArray> EngineArguments(const QStringList& extraOptions) {
    std::vector<QByteArray> arguments = {
        "--no-video-title-show", "--no-stats", "--no-snapshot-preview", "--no-xlib",
        // the window's own mouse handling drags the viewer; the video must not take the clicks
        "--no-mouse-events", "--no-keyboard-events", "--quiet"};
    for (const QString& option : extraOptions) {
        arguments.push_back(option.toLocal8Bit());
    }
    return arguments;
}

}  // namespace

MediaPlayer::MediaPlayer(const QStringList& engineOptions, QObject* parent) : QObject(parent) {
    const std::vector<QByteArray> arguments = EngineArguments(engineOptions);
    std::vector<const char*> argv;
    for (const QByteArray& argument : arguments) {
        argv.push_back(argument.constData());
    }
    instance_ = libvlc_new(static_cast<int>(argv.size()), argv.data());
    if (instance_ == nullptr) {
        return;
    }
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
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(player_);
        for (const libvlc_event_type_t type : kWatchedEvents) {
            libvlc_event_detach(events, type, &MediaPlayer::OnEngineEvent, this);
        }
        libvlc_media_player_stop(player_);
        libvlc_media_player_release(player_);
    }
    if (instance_ != nullptr) {
        libvlc_release(instance_);
    }
}

QString MediaPlayer::VersionInfo() const {
    return QString::fromLatin1(libvlc_get_version());
}

void MediaPlayer::SetVideoWindow(unsigned long windowId) {
    if (player_ != nullptr) {
        libvlc_media_player_set_xwindow(player_, static_cast<uint32_t>(windowId));
    }
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
    OpenAddress(EngineAddress(address));
}

void MediaPlayer::OpenAddress(const QString& engineAddress) {
    openedAddress_ = engineAddress;
    libvlc_media_t* media =
        libvlc_media_new_location(instance_, engineAddress.toUtf8().constData());
    if (media == nullptr) {
        return;
    }
    libvlc_media_player_set_media(player_, media);
    libvlc_media_release(media);
    libvlc_media_player_play(player_);
}

void MediaPlayer::Stop() {
    if (player_ == nullptr) {
        return;
    }
    libvlc_media_player_stop(player_);
    libvlc_media_player_set_media(player_, nullptr);
    requestedAddress_.clear();
    openedAddress_.clear();
}

int MediaPlayer::GetPlayState() const {
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
    QMetaObject::invokeMethod(
        player, [player, eventType] { player->HandleEngineEvent(eventType); },
        Qt::QueuedConnection);
}

void MediaPlayer::HandleEngineEvent(int eventType) {
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
                OpenAddress(plain.toString());
                return;
            }
            emit errorOccurred();
            break;
        case libvlc_MediaPlayerStopped:
        case libvlc_MediaPlayerEndReached:
            emit playStateChanged(kStopped);
            break;
        case libvlc_MediaPlayerPaused:
            emit playStateChanged(kPaused);
            break;
        default:
            emit playStateChanged(kTransitioning);
            break;
    }
}

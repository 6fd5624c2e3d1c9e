#include "player/RecordingStream.h"

#include <vlc/vlc.h>

#include <QMetaObject>
#include <vector>

#include "player/MediaPlayer.h"

namespace {

const libvlc_event_type_t kBreakEvents[] = {libvlc_MediaPlayerEndReached,
                                            libvlc_MediaPlayerEncounteredError};

}  // namespace

RecordingStream::RecordingStream(const QStringList& engineOptions, QObject* parent)
    : QObject(parent) {
    std::vector<QByteArray> arguments = {"--quiet", "--no-video", "--no-stats"};
    for (const QString& option : engineOptions) {
        // the sound goes to the file, never to an output of the listener's choosing
        if (!option.startsWith(QStringLiteral("--aout")) && option != QStringLiteral("-A")) {
            arguments.push_back(option.toLocal8Bit());
        }
    }
    instance_ = MediaPlayer::NewEngine(arguments);
    if (instance_ == nullptr) {
        return;
    }
    player_ = libvlc_media_player_new(instance_);
    if (player_ == nullptr) {
        return;
    }
    libvlc_audio_set_callbacks(player_, &RecordingStream::PlaySound, nullptr, nullptr, nullptr,
                               nullptr, this);
    libvlc_audio_set_format(player_, "S16N", OpusRecordingFile::kRate,
                            OpusRecordingFile::kChannels);
    libvlc_event_manager_t* events = libvlc_media_player_event_manager(player_);
    for (const libvlc_event_type_t type : kBreakEvents) {
        libvlc_event_attach(events, type, &RecordingStream::OnEngineEvent, this);
    }
    reopenTimer_.setSingleShot(true);
    reopenTimer_.setInterval(kReopenMs);
    connect(&reopenTimer_, &QTimer::timeout, this, &RecordingStream::Open);
    quietTimer_.setInterval(kQuietMs);
    connect(&quietTimer_, &QTimer::timeout, this, &RecordingStream::CheckSoundFlows);
}

RecordingStream::~RecordingStream() {
    if (player_ != nullptr) {
        libvlc_event_manager_t* events = libvlc_media_player_event_manager(player_);
        for (const libvlc_event_type_t type : kBreakEvents) {
            libvlc_event_detach(events, type, &RecordingStream::OnEngineEvent, this);
        }
        libvlc_media_player_stop(player_);
        libvlc_media_player_release(player_);
    }
    if (instance_ != nullptr) {
        libvlc_release(instance_);
    }
}

void RecordingStream::Start(const QString& address, std::unique_ptr<OpusRecordingFile> file) {
    {
        const std::lock_guard guard(lock_);
        file_ = std::move(file);
        holding_ = false;
        held_.clear();
        failureTold_ = false;
    }
    address_ = MediaPlayer::EngineAddress(address);
    broken_ = false;
    framesAtStart_ = framesReceived_.load();
    Open();
}

std::unique_ptr<OpusRecordingFile> RecordingStream::Stop() {
    address_.clear();
    reopenTimer_.stop();
    quietTimer_.stop();
    if (player_ != nullptr) {
        // returns once libVLC's threads are gone: no sound arrives after this
        libvlc_media_player_stop(player_);
    }
    const std::lock_guard guard(lock_);
    // sound held for a file that has begun but not yet been written to goes into it now
    if (!holding_ && file_ != nullptr && !held_.empty()) {
        file_->Write(held_.data(), static_cast<int>(held_.size() / OpusRecordingFile::kChannels));
    }
    held_ = {};
    holding_ = false;
    return std::move(file_);
}

std::unique_ptr<OpusRecordingFile> RecordingStream::HoldSound() {
    const std::lock_guard guard(lock_);
    holding_ = true;
    return std::move(file_);
}

std::unique_ptr<OpusRecordingFile> RecordingStream::SwitchTo(
    std::unique_ptr<OpusRecordingFile> file) {
    const std::lock_guard guard(lock_);
    std::unique_ptr<OpusRecordingFile> previous = std::move(file_);
    file_ = std::move(file);
    // what was held is written by the next sound's arrival, on libVLC's thread: encoding a
    // minute of sound would hold the window up
    holding_ = false;
    return previous;
}

void RecordingStream::Open() {
    if (player_ == nullptr || address_.isEmpty()) {
        return;
    }
    libvlc_media_t* media = libvlc_media_new_location(instance_, address_.toUtf8().constData());
    if (media == nullptr) {
        return;
    }
    // ends the connection before, and with it the last of its sound
    libvlc_media_player_set_media(player_, media);
    libvlc_media_release(media);
    // the first sound of this connection ends a gap, if there was one
    awaitingSound_ = broken_;
    framesAtLastLook_ = framesReceived_.load();
    quietTimer_.start();
    libvlc_media_player_play(player_);
}

void RecordingStream::PlaySound(void* self, const void* samples, unsigned frames, int64_t) {
    static_cast<RecordingStream*>(self)->Receive(static_cast<const int16_t*>(samples), frames);
}

// on libVLC's thread
void RecordingStream::Receive(const int16_t* samples, unsigned frames) {
    framesReceived_ += frames;
    if (awaitingSound_.exchange(false)) {
        QMetaObject::invokeMethod(this, &RecordingStream::OnSoundBack, Qt::QueuedConnection);
    }
    const std::lock_guard guard(lock_);
    if (holding_) {
        held_.insert(held_.end(), samples, samples + frames * OpusRecordingFile::kChannels);
        return;
    }
    if (file_ == nullptr) {
        return;
    }
    bool written = true;
    if (!held_.empty()) {
        written = file_->Write(held_.data(),
                               static_cast<int>(held_.size() / OpusRecordingFile::kChannels));
        held_ = {};
    }
    written = file_->Write(samples, static_cast<int>(frames)) && written;
    if (written || failureTold_) {
        return;
    }
    failureTold_ = true;
    QMetaObject::invokeMethod(this, &RecordingStream::writeFailed, Qt::QueuedConnection);
}

void RecordingStream::OnEngineEvent(const libvlc_event_t*, void* self) {
    auto* stream = static_cast<RecordingStream*>(self);
    QMetaObject::invokeMethod(stream, &RecordingStream::OnBroken, Qt::QueuedConnection);
}

void RecordingStream::CheckSoundFlows() {
    const quint64 frames = framesReceived_.load();
    if (frames == framesAtLastLook_) {
        OnBroken();
        return;
    }
    framesAtLastLook_ = frames;
}

void RecordingStream::OnSoundBack() {
    if (broken_) {
        broken_ = false;
        emit soundResumed(sinceBreak_.elapsed());
    }
}

void RecordingStream::OnBroken() {
    if (address_.isEmpty() || reopenTimer_.isActive()) {
        return;
    }
    quietTimer_.stop();
    // a server that does not speak MMS over HTTP may still serve the stream plainly, as the
    // listener's player finds too
    if (framesReceived_.load() == framesAtStart_ &&
        address_.startsWith(QStringLiteral("mmsh://"))) {
        address_.replace(0, 4, QStringLiteral("http"));
    }
    if (!broken_) {
        broken_ = true;
        sinceBreak_.start();
        emit broke();
    }
    reopenTimer_.start();
}

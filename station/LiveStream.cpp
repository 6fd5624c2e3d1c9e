#include "LiveStream.h"

#include "SimulatedClock.h"

#include <vlc/vlc.h>

#include <cstring>

namespace {

constexpr int kSampleRate = 44100;
constexpr int kChannels = 2;
constexpr double kAmplitude = 0.3;
constexpr int kBlockFrames = kSampleRate / 10;  // 100 ms of sound per block
constexpr int kVideoFps = 10;

QByteArray AudioInput(const char* cookie) {
    return QByteArray("imem://cookie=") + cookie +
           ":cat=1:codec=s16l:channels=" + QByteArray::number(kChannels) +
           ":samplerate=" + QByteArray::number(kSampleRate);
}

QByteArray VideoInput() {
    return "imem://cookie=video:cat=2:codec=RV24:width=" + QByteArray::number(ClockFrame::kWidth) +
           ":height=" + QByteArray::number(ClockFrame::kHeight) +
           ":fps=" + QByteArray::number(kVideoFps) + "/1";
}

// imem takes its callbacks and their data as numbers in media options.
QByteArray PointerOption(const char* name, const void* pointer) {
    return QByteArray(":") + name + '=' +
           QByteArray::number(static_cast<qulonglong>(reinterpret_cast<uintptr_t>(pointer)));
}

}  // namespace

LiveStream::LiveStream(libvlc_instance_t* vlc, Signal signal, const QByteArray& streamOutput,
                       const SimulatedClock& clock)
    : clock_(clock), tone_(signal.toneHz, kSampleRate, kChannels, kAmplitude) {
    libvlc_media_t* media = libvlc_media_new_location(
        vlc, (signal.video ? VideoInput() : AudioInput("audio")).constData());
    if (!media) {
        return;
    }
    const QByteArray options[] = {
        PointerOption("imem-get", reinterpret_cast<const void*>(&LiveStream::GetBlock)),
        PointerOption("imem-release", reinterpret_cast<const void*>(&LiveStream::ReleaseBlock)),
        PointerOption("imem-data", this),
        ":sout=" + streamOutput,
    };
    for (const QByteArray& option : options) {
        libvlc_media_add_option(media, option.constData());
    }
    if (signal.video) {
        libvlc_media_add_option(media, (":input-slave=" + AudioInput("audio")).constData());
    }
    player_ = libvlc_media_player_new_from_media(media);
    libvlc_media_release(media);
}

LiveStream::~LiveStream() {
    if (player_) {
        Stop();
        libvlc_media_player_release(player_);
    }
}

bool LiveStream::Play() {
    if (!player_) {
        return false;
    }
    // Safe without a lock: libVLC calls GetBlock only from the input thread of a playing
    // stream, and there is none while stopped.
    tone_.Reset();
    framesSent_ = 0;
    return libvlc_media_player_play(player_) == 0;
}

void LiveStream::Stop() {
    if (player_) {
        libvlc_media_player_stop(player_);
    }
}

QByteArray LiveStream::StateName() const {
    if (!player_) {
        return "error";
    }
    switch (libvlc_media_player_get_state(player_)) {
        case libvlc_Opening:
            return "opening";
        case libvlc_Buffering:
            return "buffering";
        case libvlc_Playing:
            return "playing";
        case libvlc_Paused:
            return "paused";
        case libvlc_Error:
            return "error";
        case libvlc_Ended:
        case libvlc_Stopped:
        case libvlc_NothingSpecial:
            break;
    }
    return "stopped";
}

int LiveStream::GetBlock(void* opaque, const char* cookie, int64_t* dts, int64_t* pts,
                         unsigned* flags, size_t* size, void** data) {
    auto* self = static_cast<LiveStream*>(opaque);
    *flags = 0;
    if (cookie && std::strcmp(cookie, "video") == 0) {
        *pts = *dts = self->NextVideoFrame();
        *size = self->videoFrame_.size();
        *data = self->videoFrame_.data();
        return 0;
    }
    *pts = *dts = self->tone_.Next(kBlockFrames, self->audioBlock_);
    *size = self->audioBlock_.size() * sizeof(int16_t);
    *data = self->audioBlock_.data();
    return 0;
}

void LiveStream::ReleaseBlock(void*, const char*, size_t, void*) {
    // The blocks are the stream's own buffers, refilled by the next GetBlock.
}

int64_t LiveStream::NextVideoFrame() {
    picture_.Render(clock_.NowService().time(), framesSent_, videoFrame_);
    const int64_t timestamp = framesSent_ * 1'000'000 / kVideoFps;
    ++framesSent_;
    return timestamp;
}

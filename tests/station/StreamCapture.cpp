#include "StreamCapture.h"

#include <vlc/vlc.h>

#include <cmath>
#include <numbers>

namespace {

constexpr unsigned kRate = 44100;
constexpr unsigned kWidth = 320;
constexpr unsigned kHeight = 240;

}  // namespace

StreamCapture::StreamCapture(const QByteArray& url, bool withVideo) {
    const char* arguments[] = {"--quiet", "--no-video-title-show", "--no-lua"};
    vlc_ = libvlc_new(static_cast<int>(std::size(arguments)), arguments);
    if (!vlc_) {
        return;
    }
    libvlc_media_t* media = libvlc_media_new_location(vlc_, url.constData());
    player_ = libvlc_media_player_new_from_media(media);
    libvlc_media_release(media);
    libvlc_audio_set_callbacks(player_, PlaySound, nullptr, nullptr, nullptr, nullptr, this);
    libvlc_audio_set_format(player_, "S16N", kRate, 2);
    if (withVideo) {
        picture_.resize(kWidth * kHeight);
        libvlc_video_set_callbacks(player_, LockPicture, nullptr, ShowPicture, this);
        libvlc_video_set_format(player_, "RV32", kWidth, kHeight, kWidth * 4);
    }
    libvlc_media_player_play(player_);
}

StreamCapture::~StreamCapture() {
    if (player_) {
        libvlc_media_player_stop(player_);
        libvlc_media_player_release(player_);
    }
    if (vlc_) {
        libvlc_release(vlc_);
    }
}

bool StreamCapture::WaitForSound(double seconds, Deadline deadline) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_until(
        lock, deadline, [&] { return left_.size() >= static_cast<size_t>(seconds * kRate); });
}

bool StreamCapture::WaitForChangingPictures(int changes, Deadline deadline) {
    std::unique_lock lock(mutex_);
    return arrived_.wait_until(lock, deadline, [&] { return pictureChanges_ >= changes; });
}

double StreamCapture::Level(double hz) const {
    // Goertzel's single-frequency DFT over the last second of sound.
    std::lock_guard lock(mutex_);
    if (left_.size() < kRate) {
        return 0.0;
    }
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * hz / kRate);
    double previous = 0.0;
    double beforePrevious = 0.0;
    for (size_t i = left_.size() - kRate; i < left_.size(); ++i) {
        const double current = left_[i] / 32768.0 + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    const double power = previous * previous + beforePrevious * beforePrevious -
                         coefficient * previous * beforePrevious;
    return 2.0 * std::sqrt(std::max(power, 0.0)) / kRate;
}

void StreamCapture::PlaySound(void* opaque, const void* samples, unsigned count, int64_t) {
    auto* self = static_cast<StreamCapture*>(opaque);
    const auto* interleaved = static_cast<const int16_t*>(samples);
    {
        std::lock_guard lock(self->mutex_);
        for (unsigned i = 0; i < count; ++i) {
            self->left_.push_back(interleaved[2 * i]);
        }
    }
    self->arrived_.notify_all();
}

void* StreamCapture::LockPicture(void* opaque, void** planes) {
    auto* self = static_cast<StreamCapture*>(opaque);
    *planes = self->picture_.data();
    return nullptr;
}

void StreamCapture::ShowPicture(void* opaque, void*) {
    auto* self = static_cast<StreamCapture*>(opaque);
    {
        std::lock_guard lock(self->mutex_);
        if (!self->lastPicture_.empty() && self->lastPicture_ != self->picture_) {
            ++self->pictureChanges_;
        }
        self->lastPicture_ = self->picture_;
    }
    self->arrived_.notify_all();
}

#pragma once

#include <QByteArray>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <vector>

struct libvlc_instance_t;
struct libvlc_media_player_t;

// A libVLC client that plays a stream into memory: the decoded sound as 16-bit stereo at
// 44.1 kHz and, for video, every picture as 320 x 240 RGB. Nothing reaches a speaker or a
// screen, so no display is needed.
class StreamCapture {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    StreamCapture(const QByteArray& url, bool withVideo);
    ~StreamCapture();
    StreamCapture(const StreamCapture&) = delete;
    StreamCapture& operator=(const StreamCapture&) = delete;

    // Waits until that many seconds of sound have been decoded, or the deadline passes.
    bool WaitForSound(double seconds, Deadline deadline);
    // Waits until that many pictures different from the one before have been shown.
    bool WaitForChangingPictures(int changes, Deadline deadline);

    // Amplitude (0..1 of full scale) of one frequency in the last second of sound.
    double Level(double hz) const;

private:
    static void PlaySound(void* opaque, const void* samples, unsigned count, int64_t pts);
    static void* LockPicture(void* opaque, void** planes);
    static void ShowPicture(void* opaque, void* picture);

    libvlc_instance_t* vlc_ = nullptr;
    libvlc_media_player_t* player_ = nullptr;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<int16_t> left_;  // one channel is enough: the tone is the same on both
    std::vector<uint32_t> picture_;
    std::vector<uint32_t> lastPicture_;
    int pictureChanges_ = 0;
};

#pragma once

#include "ClockFrame.h"
#include "ToneGenerator.h"

#include <QByteArray>

#include <cstdint>
#include <vector>

struct libvlc_instance_t;
struct libvlc_media_player_t;
class SimulatedClock;

// One live stream: libVLC reads our signal from memory (its "imem" input) and sends it through
// its stream output, encoded and muxed as Windows Media, to an HTTP path that speaks MMS over
// HTTP. The audio channel carries a tone only; the visual channel carries the clock picture with
// a tone of its own as a second, slave input of the same stream.
class LiveStream {
public:
    struct Signal {
        double toneHz = 1000.0;
        bool video = false;
    };

    LiveStream(libvlc_instance_t* vlc, Signal signal, const QByteArray& streamOutput,
               const SimulatedClock& clock);
    ~LiveStream();
    LiveStream(const LiveStream&) = delete;
    LiveStream& operator=(const LiveStream&) = delete;

    // Starts a fresh stream (time stamps from zero); the call returns before it serves.
    bool Play();
    // Blocks until libVLC has closed the stream; its HTTP path is gone afterwards.
    void Stop();
    // libVLC's state name: "playing", "stopped", "error" ...
    QByteArray StateName() const;
    // The tone from the next block on.
    void SetToneFrequency(double hz) { tone_.SetFrequency(hz); }

private:
    static int GetBlock(void* opaque, const char* cookie, int64_t* dts, int64_t* pts,
                        unsigned* flags, size_t* size, void** data);
    static void ReleaseBlock(void* opaque, const char* cookie, size_t size, void* data);
    int64_t NextVideoFrame();

    const SimulatedClock& clock_;
    ToneGenerator tone_;
    ClockFrame picture_;
    std::vector<int16_t> audioBlock_;
    std::vector<uint8_t> videoFrame_;
    int64_t framesSent_ = 0;
    libvlc_media_player_t* player_ = nullptr;
};

#pragma once

#include "LiveStream.h"

#include <QJsonObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

struct libvlc_instance_t;
class SimulatedClock;

// The stream server: both live streams, served as MMS over HTTP by libVLC's stream output on
// one port (8080 by default) of the station's address:
//   /L-FM_300k    the audio channel: a steady 1000 Hz sine tone
//   /L-VFM_300k   the visual channel ("Seeing Radio"): the clock picture, 320 x 240 at 10 frames
//                 a second, with a steady 660 Hz sine tone
// Audio is Windows Media Audio 2 (44.1 kHz stereo), video Windows Media Video 8, muxed as ASF.
class StreamServer {
public:
    enum class Channel { Fm, Vfm };
    static constexpr double kFmToneHz = 1000.0;
    static constexpr double kVfmToneHz = 660.0;

    static QString ChannelName(Channel channel);
    static QByteArray ChannelPath(Channel channel);

    StreamServer(QString host, int port, const SimulatedClock& clock, bool verbose);
    ~StreamServer();

    bool Start(QString* error);
    // Starting a channel waits until it serves (or the limit passes); stopping waits until its
    // path is gone.
    bool SetRunning(Channel channel, bool run, QString* error);
    // Whether a client asking for both streams now would get them.
    bool WaitUntilServing(std::chrono::milliseconds limit, QString* error);
    QJsonObject Status() const;
    // The channel's tone changes at once (it is not saved; ToneHz() gives the usual one).
    void SetTone(Channel channel, double hz);
    static double ToneHz(Channel channel);
    void Shutdown();

private:
    bool WaitUntilServing(Channel channel, std::chrono::steady_clock::time_point deadline);
    bool Serves(Channel channel) const;
    QByteArray StreamOutput(Channel channel) const;
    LiveStream& Stream(Channel channel) const;

    QString host_;
    int port_;
    const SimulatedClock& clock_;
    bool verbose_;
    libvlc_instance_t* vlc_ = nullptr;
    std::unique_ptr<LiveStream> fm_;
    std::unique_ptr<LiveStream> vfm_;
    mutable std::mutex mutex_;
    std::condition_variable shutdownSignal_;
    bool shuttingDown_ = false;
    std::mutex controlMutex_;  // one start or stop at a time
};

#include "StreamServer.h"

#include <httplib.h>
#include <vlc/vlc.h>

#include <QJsonObject>

#include <cstdarg>
#include <cstdio>

namespace {

// Time between two looks at a stream that is not serving yet: libVLC has no event for the
// moment its muxer has written the stream header, so the station asks its own stream.
constexpr std::chrono::milliseconds kProbeInterval(200);
constexpr std::chrono::seconds kStartLimit(15);

void LogFromVlc(void* data, int level, const libvlc_log_t*, const char* format, va_list args) {
    const bool verbose = data != nullptr;
    if (level < LIBVLC_ERROR && !(verbose && level >= LIBVLC_WARNING)) {
        return;
    }
    char text[512];
    std::vsnprintf(text, sizeof(text), format, args);
    std::fprintf(stderr, "quilo-station: libVLC: %s\n", text);
}

}  // namespace

QString StreamServer::ChannelName(Channel channel) {
    return channel == Channel::Fm ? QStringLiteral("fm") : QStringLiteral("vfm");
}

QByteArray StreamServer::ChannelPath(Channel channel) {
    return channel == Channel::Fm ? "/L-FM_300k" : "/L-VFM_300k";
}

StreamServer::StreamServer(QString host, int port, const SimulatedClock& clock, bool verbose)
    : host_(std::move(host)), port_(port), clock_(clock), verbose_(verbose) {}

StreamServer::~StreamServer() {
    Shutdown();
    fm_.reset();
    vfm_.reset();
    if (vlc_) {
        libvlc_release(vlc_);
    }
}

bool StreamServer::Start(QString* error) {
    const char* arguments[] = {"--aout=dummy", "--vout=dummy", "--no-video-title-show",
                               "--no-stats", "--no-lua"};
    vlc_ = libvlc_new(static_cast<int>(std::size(arguments)), arguments);
    if (!vlc_) {
        *error = QStringLiteral("libVLC could not be started");
        return false;
    }
    libvlc_log_set(vlc_, LogFromVlc, verbose_ ? this : nullptr);
    fm_ = std::make_unique<LiveStream>(vlc_, LiveStream::Signal{kFmToneHz, false},
                                       StreamOutput(Channel::Fm), clock_);
    vfm_ = std::make_unique<LiveStream>(vlc_, LiveStream::Signal{kVfmToneHz, true},
                                        StreamOutput(Channel::Vfm), clock_);
    if (!fm_->Play() || !vfm_->Play()) {
        *error = QStringLiteral("libVLC could not start the streams");
        return false;
    }
    return true;
}

bool StreamServer::SetRunning(Channel channel, bool run, QString* error) {
    std::lock_guard control(controlMutex_);
    LiveStream& stream = Stream(channel);
    if (!run) {
        stream.Stop();
        return true;
    }
    if (stream.StateName() != "playing" && !stream.Play()) {
        *error = QStringLiteral("libVLC could not start %1").arg(ChannelName(channel));
        return false;
    }
    if (!WaitUntilServing(channel, std::chrono::steady_clock::now() + kStartLimit)) {
        *error = QStringLiteral("%1 does not serve").arg(ChannelName(channel));
        return false;
    }
    return true;
}

bool StreamServer::WaitUntilServing(std::chrono::milliseconds limit, QString* error) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (Channel channel : {Channel::Fm, Channel::Vfm}) {
        if (!WaitUntilServing(channel, deadline)) {
            *error = QStringLiteral("the %1 stream does not serve at %2:%3%4")
                         .arg(ChannelName(channel), host_)
                         .arg(port_)
                         .arg(QString::fromLatin1(ChannelPath(channel)));
            return false;
        }
    }
    return true;
}

void StreamServer::SetTone(Channel channel, double hz) {
    Stream(channel).SetToneFrequency(hz);
}

double StreamServer::ToneHz(Channel channel) {
    return channel == Channel::Fm ? kFmToneHz : kVfmToneHz;
}

QJsonObject StreamServer::Status() const {
    QJsonObject status;
    for (Channel channel : {Channel::Fm, Channel::Vfm}) {
        status[ChannelName(channel)] = QString::fromLatin1(Stream(channel).StateName());
    }
    return status;
}

void StreamServer::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        shuttingDown_ = true;
    }
    shutdownSignal_.notify_all();
}

bool StreamServer::WaitUntilServing(Channel channel,
                                    std::chrono::steady_clock::time_point deadline) {
    while (!Serves(channel)) {
        std::unique_lock lock(mutex_);
        if (shutdownSignal_.wait_until(
                lock, std::min(deadline, std::chrono::steady_clock::now() + kProbeInterval),
                [this] { return shuttingDown_; }) ||
            std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

bool StreamServer::Serves(Channel channel) const {
    // Asked without the MMS "play" pragma, the stream answers with its header alone: present
    // and non-empty once the muxer has started.
    httplib::Client client(host_.toStdString(), port_);
    client.set_connection_timeout(std::chrono::seconds(1));
    client.set_read_timeout(std::chrono::seconds(2));
    const auto result = client.Get(ChannelPath(channel).toStdString());
    return result && result->status == 200 && !result->body.empty();
}

QByteArray StreamServer::StreamOutput(Channel channel) const {
    const QByteArray audio = "acodec=wma2,ab=64,channels=2,samplerate=44100";
    const QByteArray video = "vcodec=WMV2,fps=10,venc=avcodec{keyint=10,qscale=5},";
    return "#transcode{" + (channel == Channel::Vfm ? video : QByteArray()) + audio +
           "}:std{access=mmsh,mux=asfh,dst=" + host_.toLatin1() + ':' + QByteArray::number(port_) +
           ChannelPath(channel) + '}';
}

LiveStream& StreamServer::Stream(Channel channel) const {
    return channel == Channel::Fm ? *fm_ : *vfm_;
}

#include "support/PulseSink.h"

#include <QDir>
#include <QFile>

#include "support/Await.h"
#include "support/TestEnvironment.h"

namespace {
constexpr int kStartTimeoutMs = 10000;
}

PulseSink::PulseSink() : folder_(TestEnvironment::Root() + QStringLiteral("/pulse")) {}

PulseSink::~PulseSink() {
    for (QProcess* process : {&recorder_, &server_}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(3000)) {
                process->kill();
                process->waitForFinished(3000);
            }
        }
    }
}

QString PulseSink::ServerAddress() const {
    return QStringLiteral("unix:") + folder_ + QStringLiteral("/native");
}

bool PulseSink::Start() {
    QDir().mkpath(folder_);
    server_.setProcessChannelMode(QProcess::MergedChannels);
    server_.setStandardOutputFile(folder_ + QStringLiteral("/server.log"));
    server_.start(
        QStringLiteral("pulseaudio"),
        {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
         QStringLiteral("--disable-shm"), QStringLiteral("--load=module-null-sink sink_name=quilo"),
         QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + folder_ +
             QStringLiteral("/native")});
    if (!server_.waitForStarted(kStartTimeoutMs) ||
        !Await([this] { return QFile::exists(folder_ + QStringLiteral("/native")); },
               kStartTimeoutMs)) {
        return false;
    }
    qputenv("PULSE_SERVER", ServerAddress().toLocal8Bit());
    recorder_.start(QStringLiteral("parecord"),
                    {QStringLiteral("--device=quilo.monitor"), QStringLiteral("--file-format=wav"),
                     QStringLiteral("--format=s16le"), QStringLiteral("--channels=1"),
                     QStringLiteral("--rate=44100"), folder_ + QStringLiteral("/heard.wav")});
    return recorder_.waitForStarted(kStartTimeoutMs) &&
           Await([this] { return Recorded().sampleRate > 0; }, kStartTimeoutMs);
}

ToneAnalysis::Sound PulseSink::Recorded() const {
    return ToneAnalysis::ReadWav(folder_ + QStringLiteral("/heard.wav"));
}

double PulseSink::RecentLevel(double frequency, int milliseconds) const {
    const ToneAnalysis::Sound sound = Recorded();
    const size_t window =
        static_cast<size_t>(sound.sampleRate) * static_cast<size_t>(milliseconds) / 1000;
    if (window == 0 || sound.samples.size() < window) {
        return 0;
    }
    return ToneAnalysis::ToneAmplitude(sound, frequency, sound.samples.size() - window, window);
}

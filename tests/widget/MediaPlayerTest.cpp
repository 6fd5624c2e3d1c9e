#include "player/MediaPlayer.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "support/Await.h"
#include "support/QtPrinting.h"
#include "support/TestEnvironment.h"
#include "support/ToneAnalysis.h"

using namespace Qt::StringLiterals;

namespace {

constexpr double kToneHz = 880;
constexpr int kRate = 44100;
constexpr int kChunkMs = 100;
// a small cache keeps the waits of these tests short; the stall limit follows it
constexpr int kNetworkCacheMs = 300;

// A live radio stream in miniature: an HTTP server that sends a WAV tone as it is made, in real
// time, to every listener. It can start late, fall silent with the connection left open, or
// hang up.
class ToneStation : public QObject {
public:
    struct Behaviour {
        int startDelayMs = 0;
        int silentAfterMs = -1;  // stops sending, keeps the connection
        int hangUpAfterMs = -1;  // closes the connection
    };

    explicit ToneStation(Behaviour behaviour) : behaviour_(behaviour) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                Serve(socket);
            }
        });
    }

    QString Address() const { return u"http://127.0.0.1:%1/live.wav"_s.arg(server_.serverPort()); }

private:
    void Serve(QTcpSocket* socket) {
        auto clock = std::make_shared<QElapsedTimer>();
        auto* timer = new QTimer(socket);
        auto sent = std::make_shared<qint64>(0);  // bytes of the tone's WAV file
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(timer, &QTimer::timeout, socket, [this, socket, clock, sent, timer] {
            if (!clock->isValid()) {
                if (!socket->bytesAvailable()) {
                    return;  // the request has not come yet
                }
                clock->start();
            }
            const qint64 elapsed = clock->elapsed() - behaviour_.startDelayMs;
            if (elapsed < 0) {
                return;
            }
            if (*sent == 0) {
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: audio/wav\r\n\r\n");
            }
            if (behaviour_.hangUpAfterMs >= 0 && elapsed >= behaviour_.hangUpAfterMs) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            if (behaviour_.silentAfterMs >= 0 && elapsed >= behaviour_.silentAfterMs) {
                return;
            }
            // keep a little ahead of real time, as a stream server does
            const qint64 due = std::min(wav_.size(), 44 + (elapsed + 500) * kRate / 1000 * 2);
            socket->write(wav_.mid(*sent, due - *sent));
            *sent = due;
        });
        timer->start(kChunkMs);
    }

    Behaviour behaviour_;
    QTcpServer server_;
    // longer than any test listens
    const QByteArray wav_ = ToneAnalysis::ToneWav(kToneHz, 120, 0.5, kRate);
};

// Everything the process writes to standard error while it lives, alsa-lib's own lines included.
class StderrCapture {
public:
    StderrCapture() {
        std::fflush(stderr);
        const int file =
            open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, STDERR_FILENO);
        close(file);
    }
    ~StderrCapture() {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }

    QByteArray Text() const {
        std::fflush(stderr);
        QFile file(path_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    const QString path_ = TestEnvironment::WorkDir() + u"/stderr.txt"_s;
    const int saved_ = dup(STDERR_FILENO);
};

// The player with its reports counted.
struct WatchedPlayer {
    explicit WatchedPlayer(const QStringList& options) : player(options) {
        QObject::connect(&player, &MediaPlayer::errorOccurred, [this] { ++errors; });
        QObject::connect(&player, &MediaPlayer::audioOutputUnavailable, [this] { ++noOutput; });
    }
    bool AwaitPlaying(int timeoutMs = 10000) {
        return Await([this] { return player.CurrentPlayState() == MediaPlayer::kPlaying; },
                     timeoutMs);
    }
    // Lets `ms` pass with the event loop running; true when nothing was reported meanwhile.
    bool QuietFor(int ms) {
        const int before = errors;
        Await([&] { return errors != before; }, ms);
        return errors == before;
    }

    MediaPlayer player;
    int errors = 0;
    int noOutput = 0;
};

}  // namespace

TEST(MediaPlayerWatch, AStreamThatStallsOrEndsIsAnErrorOnceAndASlowStartIsNot) {
    WatchedPlayer watched({u"--aout=afile"_s,
                           u"--audiofile-file="_s + TestEnvironment::WorkDir() + u"/heard.wav"_s,
                           u"--network-caching=%1"_s.arg(kNetworkCacheMs)});
    // a stall limit of the cache and a little more: reported within a few seconds, not at once
    const int stallLimitMs = kNetworkCacheMs + StreamWatch::kJitterMs;

    // a stream that falls silent with its connection open, and one whose connection drops
    for (const ToneStation::Behaviour behaviour : {ToneStation::Behaviour{.silentAfterMs = 3000},
                                                   ToneStation::Behaviour{.hangUpAfterMs = 2000}}) {
        const int before = watched.errors;
        ToneStation station(behaviour);
        watched.player.Play(station.Address());
        ASSERT_TRUE(watched.AwaitPlaying());
        ASSERT_TRUE(Await([&] { return watched.errors > before; }, 15000)) << "it is found";
        EXPECT_TRUE(watched.QuietFor(stallLimitMs + 1000)) << "reported once";
        EXPECT_EQ(watched.errors, before + 1);
        watched.player.Stop();
    }
    // a server slower to answer than the stall limit, within the start allowance
    ToneStation slow({.startDelayMs = stallLimitMs + 2500});
    watched.player.Play(slow.Address());
    EXPECT_TRUE(watched.AwaitPlaying(stallLimitMs + 10000));
    EXPECT_TRUE(watched.QuietFor(3000)) << "then it plays on";
    EXPECT_EQ(watched.errors, 2);
    watched.player.Stop();
}

TEST(MediaPlayerOutput, WithoutASoundServerTheStreamRunsSilentlyAndSaysSoOnceOnAQuietStderr) {
    // nothing answers as a sound server, and ALSA knows no device (an empty configuration)
    const QByteArray work = QFile::encodeName(TestEnvironment::WorkDir());
    qputenv("PULSE_SERVER", "unix:" + work + "/no-such-server");
    QFile(QString::fromLocal8Bit(work + "/alsa.conf")).open(QIODevice::WriteOnly);
    qputenv("ALSA_CONFIG_PATH", work + "/alsa.conf");
    ToneStation station({});
    QByteArray written;
    {
        StderrCapture capture;
        WatchedPlayer watched({u"--network-caching=%1"_s.arg(kNetworkCacheMs)});
        watched.player.Play(station.Address());
        ASSERT_TRUE(watched.AwaitPlaying());
        ASSERT_TRUE(Await([&] { return watched.noOutput > 0; }, 5000));
        // the stream goes on without sound: no stall, no second report
        EXPECT_TRUE(watched.QuietFor(5000));
        EXPECT_EQ(watched.noOutput, 1);

        watched.player.Stop();
        watched.player.Play(station.Address());
        ASSERT_TRUE(watched.AwaitPlaying());
        EXPECT_TRUE(watched.QuietFor(2000));
        EXPECT_EQ(watched.noOutput, 2) << "once for each start";
        watched.player.Stop();

        // an output named in the options that fails, and fails again for every buffer, is
        // reported the same way
        WatchedPlayer named({u"--aout=pulse,none"_s});
        named.player.Play(station.Address());
        ASSERT_TRUE(Await([&] { return named.noOutput > 0; }, 5000));
        EXPECT_TRUE(named.QuietFor(2000));
        EXPECT_EQ(named.noOutput, 1);
        named.player.Stop();
        written = capture.Text();
    }
    EXPECT_EQ(written, QByteArray()) << "nothing on standard error";

    // asked for, the engine's messages come out
    {
        StderrCapture capture;
        WatchedPlayer watched({u"--verbose=1"_s});
        watched.player.Play(u"http://127.0.0.1:9/nothing-here"_s);
        ASSERT_TRUE(Await([&] { return watched.errors > 0; }, 15000));
        written = capture.Text();
    }
    EXPECT_TRUE(written.contains("libVLC ")) << written.constData();
}

#include "StationProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <atomic>

namespace {

constexpr int kReadyLimitMs = 40000;
constexpr int kExitLimitMs = 15000;

}  // namespace

StationProcess::StationProcess(const QStringList& options, bool withStreams) : host_(UniqueHost()) {
    QStringList arguments{"--bind", host_, "--exit-with-parent"};
    if (!withStreams) {
        arguments << "--no-streams";
    }
    process_.start(QStringLiteral(QUILO_STATION_EXE), arguments + options);
    const QDeadlineTimer deadline(kReadyLimitMs);
    QByteArray output;
    while (!ready_ && process_.state() != QProcess::NotRunning && !deadline.hasExpired()) {
        process_.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)));
        output += process_.readAllStandardOutput();
        ready_ = output.contains("ready\n");
    }
    if (!ready_) {
        process_.waitForFinished(1000);
        failure_ = QString::fromLocal8Bit(process_.readAllStandardError());
    }
}

StationProcess::~StationProcess() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    process_.terminate();
    if (!process_.waitForFinished(kExitLimitMs)) {
        process_.kill();
        process_.waitForFinished(kExitLimitMs);
    }
}

QString StationProcess::Base(Port port) const {
    return QStringLiteral("http://%1:%2").arg(host_).arg(static_cast<int>(port));
}

bool StationProcess::Control(const QByteArray& target) const {
    const RawHttp::Response response = Get(kControl, target);
    return response.status == 200 && response.body == "OK\n";
}

QString StationProcess::UniqueHost() {
    // 127.0.0.0/8 is all loopback: the process id picks the middle two numbers, a counter the
    // last, so parallel test processes and several stations of one test never meet.
    static std::atomic<int> counter{0};
    const auto pid = static_cast<unsigned>(QCoreApplication::applicationPid());
    return QStringLiteral("127.%1.%2.%3")
        .arg(100 + (pid >> 8) % 100)
        .arg(pid & 0xFF)
        .arg(1 + counter++ % 250);
}

#include "player/StreamRecovery.h"

#include <utility>

#include "platform/ActivityLog.h"

StreamRecovery::StreamRecovery(ActivityLog& log, RetryPolicy policy, QObject* parent)
    : QObject(parent), log_(log), policy_(std::move(policy)) {
    retryTimer_.setObjectName(QStringLiteral("retryTimer"));
    retryTimer_.setSingleShot(true);
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        probe_.Stop();
        emit retryDue();
    });
    connect(&probe_, &ServerProbe::serverBack, this,
            [this] { RetryNow("The stream server answers: retry the stream now."); });
    FollowReachability();
}

// One backend serves the whole program; it is loaded by the first that asks.
void StreamRecovery::FollowReachability() {
    if (QNetworkInformation::instance() == nullptr && !QNetworkInformation::loadDefaultBackend()) {
        QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    }
    const QNetworkInformation* network = QNetworkInformation::instance();
    if (network != nullptr && network->supports(QNetworkInformation::Feature::Reachability)) {
        connect(network, &QNetworkInformation::reachabilityChanged, this,
                &StreamRecovery::OnReachabilityChanged);
    }
}

void StreamRecovery::SetServer(const QString& host, quint16 port) {
    serverHost_ = host;
    serverPort_ = port;
}

void StreamRecovery::StreamFailed() {
    WriteBackendOnce();
    const qint64 playedMs = playingSince_.isValid() ? playingSince_.elapsed() : -1;
    playingSince_.invalidate();
    const int delayMs = policy_.NextDelayMs(playedMs);
    log_.WriteLog(QStringLiteral("Retry the stream in %1 ms (attempt %2).")
                      .arg(delayMs)
                      .arg(policy_.Attempt())
                      .toUtf8());
    retryTimer_.start(delayMs);
    if (!serverHost_.isEmpty()) {
        probe_.Start(serverHost_, serverPort_);
    }
}

void StreamRecovery::StreamPlaying() {
    if (!playingSince_.isValid()) {
        playingSince_.start();
    }
}

void StreamRecovery::StreamOpened() {
    StopWaiting();
    playingSince_.invalidate();
}

void StreamRecovery::Stop() {
    StopWaiting();
    playingSince_.invalidate();
    policy_.Reset();
}

void StreamRecovery::NetworkOnline() {
    RetryNow("The network is back: retry the stream now.");
}

void StreamRecovery::RetryNow(const char* reason) {
    if (!retryTimer_.isActive()) {
        return;
    }
    StopWaiting();
    log_.WriteLog(reason);
    emit retryDue();
}

void StreamRecovery::StopWaiting() {
    retryTimer_.stop();
    probe_.Stop();
}

void StreamRecovery::OnReachabilityChanged(QNetworkInformation::Reachability reachability) {
    if (reachability == QNetworkInformation::Reachability::Online) {
        NetworkOnline();
    }
}

// Said once, with the first failure, so that a log of a recovery tells whether the network's
// return could hurry it.
void StreamRecovery::WriteBackendOnce() {
    if (toldBackend_) {
        return;
    }
    toldBackend_ = true;
    const QNetworkInformation* network = QNetworkInformation::instance();
    log_.WriteLog(network != nullptr ? QStringLiteral("Follow the network through the %1 backend.")
                                           .arg(network->backendName())
                                           .toUtf8()
                                     : QByteArray("Follow the network: no backend."));
}

#pragma once

#include <QElapsedTimer>
#include <QNetworkInformation>
#include <QObject>
#include <QTimer>

#include "player/RetryPolicy.h"
#include "player/ServerProbe.h"

class ActivityLog;

// What happens when the stream fails: the next attempt is due after the retry policy's pause
// (retryDue), one attempt at a time on one single-shot timer, each written to the log with its
// pause. When the network comes back while an attempt waits, it is made at once; the network is
// followed through the platform's reachability backend when there is one. While an attempt
// waits, the stream's server is knocked at every second (ServerProbe): once it takes a
// connection again after it was seen away, the attempt is made at once, so a server that comes
// back is heard within seconds however long the pause had grown. The listener's Stop ends the
// recovery: nothing stays armed.
class StreamRecovery : public QObject {
    Q_OBJECT

public:
    explicit StreamRecovery(ActivityLog& log, RetryPolicy policy = RetryPolicy(),
                            QObject* parent = nullptr);

    // Where the stream comes from, for the knocks while an attempt waits; none without it.
    void SetServer(const QString& host, quint16 port);
    // The stream could not be opened or broke off: arms the next attempt.
    void StreamFailed();
    // The stream really plays; how long it does decides the pause after its next failure.
    void StreamPlaying();
    // The listener opens a stream of their own: a waiting attempt is not needed, and how long
    // the stream plays is counted from this one.
    void StreamOpened();
    // The listener stopped: no attempt waits and the next failure starts from the first pause.
    void Stop();
    // The network became reachable: a waiting attempt is made now.
    void NetworkOnline();

    bool IsWaiting() const { return retryTimer_.isActive(); }
    int PendingDelayMs() const { return retryTimer_.interval(); }
    const RetryPolicy& Policy() const { return policy_; }

signals:
    void retryDue();

private:
    void FollowReachability();
    void OnReachabilityChanged(QNetworkInformation::Reachability reachability);
    void WriteBackendOnce();
    // A waiting attempt is made now, for the reason the log is given.
    void RetryNow(const char* reason);
    void StopWaiting();

    ActivityLog& log_;
    RetryPolicy policy_;
    QTimer retryTimer_;
    ServerProbe probe_;
    QString serverHost_;
    quint16 serverPort_ = 0;
    // running while the stream plays
    QElapsedTimer playingSince_;
    bool toldBackend_ = false;
};

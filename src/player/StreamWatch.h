#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

// Watches a live stream's progress from the GUI thread and says when it has stalled: no new
// sound for longer than the engine's network cache (plus a little for the jitter of a sound
// network), or, while the stream is still opening and filling its cache, nothing at all for a
// much longer start allowance, so that a slow server is not taken for a dead one.
class StreamWatch : public QObject {
    Q_OBJECT

public:
    // `progress` gives the time the stream has played so far, in ms (negative before it plays).
    StreamWatch(std::function<qint64()> progress, int networkCacheMs, QObject* parent = nullptr);

    // A stream was asked for: watch it from now on.
    void Start();
    void Stop();
    bool IsWatching() const { return timer_.isActive(); }

    int StallLimitMs() const { return stallLimitMs_; }
    int StartLimitMs() const { return startLimitMs_; }

    // once a second: a stall is seen at most a second after its limit, and a radio playing all
    // day is not woken four times a second to learn that it plays
    static constexpr int kCheckPeriodMs = 1000;
    static constexpr int kJitterMs = 2000;
    static constexpr int kStartAllowanceMs = 20000;

signals:
    // once per Start
    void stalled();

private:
    void Check();

    std::function<qint64()> progress_;
    int stallLimitMs_;
    int startLimitMs_;
    QTimer timer_;
    QElapsedTimer sinceProgress_;
    qint64 lastProgress_ = -1;
    bool progressing_ = false;
};

#pragma once

#include <QEventLoop>
#include <QTimer>

// A wait that keeps the program's windows alive: it runs a nested event loop until someone calls
// Finish() (usually a signal connected to it) or the deadline passes. It never spins; the thread
// sleeps in the event loop between events.
class DeadlineLoop : public QObject {
    Q_OBJECT

public:
    DeadlineLoop();

    // Returns true when Finish() was called, false when the deadline passed first.
    bool Run(int timeoutMs);

    // The two halves of Run, for a wait whose deadline starts later than the wait itself (a
    // request queued behind another starts its clock when it is sent). Wait() without a started
    // deadline lasts until Finish(). Wait() returns true when Finish() was called, also when a
    // deadlinePassed handler called it.
    void StartDeadline(int timeoutMs);
    bool Wait();

public slots:
    void Finish();

signals:
    // The deadline passed before Finish(); emitted before the wait ends, so a handler can still
    // settle what the wait was for.
    void deadlinePassed();

private:
    void OnDeadline();

    QEventLoop loop_;
    QTimer deadline_;
    bool finished_ = false;
    bool expired_ = false;
};

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

public slots:
    void Finish();

private:
    QEventLoop loop_;
    QTimer deadline_;
    bool finished_ = false;
};

#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the GUI thread, so the program ends the way
// its own close command does and saves what it saves on a normal close.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    TerminationSignals();
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    void OnSignalArrived();

    // not parented: it must be gone before the destructor closes the pipe it watches
    std::unique_ptr<QSocketNotifier> notifier_;
};

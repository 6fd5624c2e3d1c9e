#pragma once

#include <QLocalServer>
#include <QLocalSocket>
#include <QObject>

// Finds a copy of the program already running for this user, through a named local socket in the
// user's private runtime folder. The running copy hears every later copy as activationRequested.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // Tells a running copy to show itself; true when one was there to hear it.
    static bool SignalRunningCopy();

    // Starts listening for later copies; false when another copy answers on the name.
    bool Listen();
    void StopListening();

    static QString SocketPath();

signals:
    // a later copy was started and ended at once: the running one should come forward
    void activationRequested();

private:
    static bool ConnectToRunningCopy(QLocalSocket& socket);
    void OnNewConnection();

    QLocalServer server_;
};

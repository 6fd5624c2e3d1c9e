#pragma once

#include <QLocalServer>
#include <QObject>
#include <QPointer>

// Finds a copy of the program already running for this user, through a named local socket in the
// user's private runtime folder. The running copy answers every later copy by posting
// UM_ACTIVATE_INSTANCE to its main window.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // Tells a running copy to show itself; true when one was there to hear it.
    static bool SignalRunningCopy();

    // Starts listening for later copies on behalf of `mainWindow`; false if the name is taken.
    bool Listen(QObject* mainWindow);
    void StopListening();

    static QString SocketPath();

private:
    void OnNewConnection();

    QLocalServer server_;
    QPointer<QObject> mainWindow_;
};

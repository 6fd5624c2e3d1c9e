#include "platform/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {
constexpr int kConnectTimeoutMs = 1000;
const QByteArray kActivateRequest = "activate\n";
}  // namespace

QString SingleInstance::SocketPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    return folder + QStringLiteral("/quilo-instance");
}

bool SingleInstance::SignalRunningCopy() {
    QLocalSocket socket;
    if (!ConnectToRunningCopy(socket)) {
        return false;
    }
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::ConnectToRunningCopy(QLocalSocket& socket) {
    socket.connectToServer(SocketPath());
    return socket.waitForConnected(kConnectTimeoutMs);
}

bool SingleInstance::Listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection,
            Qt::UniqueConnection);
    if (server_.listen(SocketPath())) {
        return true;
    }
    // The name is taken: by a copy that started a moment ago and answers (it stays the running
    // one), or by the socket file a crashed copy left behind, which nobody answers on any more.
    QLocalSocket probe;
    if (ConnectToRunningCopy(probe)) {
        return false;
    }
    QLocalServer::removeServer(SocketPath());
    return server_.listen(SocketPath());
}

void SingleInstance::StopListening() {
    server_.close();
}

void SingleInstance::OnNewConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->readAll().contains(kActivateRequest)) {
                emit activationRequested();
            }
        });
    }
}

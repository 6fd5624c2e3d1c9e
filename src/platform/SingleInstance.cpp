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
    socket.connectToServer(SocketPath());
    if (!socket.waitForConnected(kConnectTimeoutMs)) {
        return false;
    }
    socket.write(kActivateRequest);
    socket.waitForBytesWritten(kConnectTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen() {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection,
            Qt::UniqueConnection);
    // a copy that crashed leaves its socket file behind; nobody answers on it any more
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

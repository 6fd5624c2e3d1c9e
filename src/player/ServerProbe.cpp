#include "player/ServerProbe.h"

#include <QTcpSocket>

ServerProbe::ServerProbe(QObject* parent) : QObject(parent) {
    knockTimer_.setInterval(kKnockPeriodMs);
    connect(&knockTimer_, &QTimer::timeout, this, &ServerProbe::Knock);
}

void ServerProbe::Start(const QString& host, quint16 port) {
    DropSocket();  // a knock of an earlier wait says nothing about this one
    host_ = host;
    port_ = port;
    seenAway_ = false;
    knockTimer_.start();
    Knock();
}

void ServerProbe::Stop() {
    knockTimer_.stop();
    DropSocket();
}

void ServerProbe::Knock() {
    if (socket_ != nullptr) {
        seenAway_ = true;  // the last knock went unanswered for a whole second
        DropSocket();
    }
    socket_ = new QTcpSocket(this);
    connect(socket_, &QTcpSocket::connected, this, &ServerProbe::OnConnected);
    connect(socket_, &QTcpSocket::errorOccurred, this, [this] {
        seenAway_ = true;
        DropSocket();
    });
    socket_->connectToHost(host_, port_);
}

void ServerProbe::OnConnected() {
    DropSocket();
    if (seenAway_) {
        Stop();
        emit serverBack();
    }
}

// The socket may be the one whose signal is being delivered: it goes once its event is over.
void ServerProbe::DropSocket() {
    if (socket_ == nullptr) {
        return;
    }
    QTcpSocket* socket = std::exchange(socket_, nullptr);
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

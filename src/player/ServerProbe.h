#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

// Knocks at the stream server's door once a second while a broken stream waits for its next
// attempt. A connection refused, or not taken within the second, says the server is away; the
// first connection it takes after that says it is back. A knock is a bare connection, closed at
// once: far cheaper than opening the stream, so the player need not wait out its growing pauses.
class ServerProbe : public QObject {
    Q_OBJECT

public:
    static constexpr int kKnockPeriodMs = 1000;

    explicit ServerProbe(QObject* parent = nullptr);

    void Start(const QString& host, quint16 port);
    void Stop();
    bool IsKnocking() const { return knockTimer_.isActive(); }

signals:
    // the server took a connection after it had been seen away
    void serverBack();

private:
    void Knock();
    void OnConnected();
    void DropSocket();

    QTimer knockTimer_;
    QTcpSocket* socket_ = nullptr;
    QString host_;
    quint16 port_ = 0;
    bool seenAway_ = false;
};

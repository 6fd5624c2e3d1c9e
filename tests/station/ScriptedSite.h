#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <optional>

// What the site received: the request line's parts, the header lines and the body.
struct Received {
    QByteArray method;
    QByteArray target;
    QByteArray headers;
    QByteArray body;
};

// Answers each path with a fixed response and remembers the requests, in order. An empty answer
// closes the connection without a word.
class ScriptedSite {
public:
    explicit ScriptedSite(QMap<QByteArray, QByteArray> answers) : answers_(std::move(answers)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
    }

    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(server_.serverPort()); }
    QList<QByteArray> Asked() const {
        QList<QByteArray> paths;
        for (const Received& request : received_) {
            paths << request.target.split('?').value(0);
        }
        return paths;
    }
    const QList<Received>& Requests() const { return received_; }
    // Sends every answer a few bytes at a time with pauses between, so that it reaches the
    // client in many reads, cut inside its lines.
    void Trickle(int bytesPerPiece) { piece_ = bytesPerPiece; }
    // answers sent to the end, or given up when their client went away
    int AnswersEnded() const { return answersEnded_; }

private:
    void Accept() {
        QTcpSocket* socket = server_.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            pending_[socket] += socket->readAll();
            if (const std::optional<Received> request = TakeRequest(pending_[socket])) {
                received_ << *request;
                const QByteArray path = request->target.split('?').value(0);
                Send(socket,
                     answers_.value(path, "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n"));
            }
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    // A whole request off the front of text, once its body (by Content-Length) is all there.
    static std::optional<Received> TakeRequest(QByteArray& text) {
        const qsizetype headEnd = text.indexOf("\r\n\r\n");
        if (headEnd < 0) {
            return std::nullopt;
        }
        Received request;
        const QByteArray head = text.left(headEnd);
        const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        request.headers = head.mid(head.indexOf("\r\n") + 2) + "\r\n";
        const qsizetype lengthAt = request.headers.indexOf("Content-Length: ");
        const qsizetype length =
            lengthAt < 0 ? 0 : request.headers.mid(lengthAt + 16).split('\r').value(0).toLongLong();
        if (text.size() < headEnd + 4 + length) {
            return std::nullopt;
        }
        request.body = text.mid(headEnd + 4, length);
        text.clear();
        return request;
    }

    void Send(const QPointer<QTcpSocket>& socket, const QByteArray& rest) {
        if (socket == nullptr || rest.isEmpty()) {
            if (socket != nullptr) {
                socket->disconnectFromHost();
            }
            ++answersEnded_;
            return;
        }
        const qsizetype piece = piece_ > 0 ? piece_ : rest.size();
        socket->write(rest.left(piece));
        socket->flush();
        // the server, not the socket, carries the timer: a socket the client dropped is gone
        // before the rest is due, and the answer still has to count as ended
        QTimer::singleShot(piece_ > 0 ? 5 : 0, &server_,
                           [this, socket, next = rest.mid(piece)] { Send(socket, next); });
    }

    QTcpServer server_;
    QMap<QByteArray, QByteArray> answers_;
    QMap<QTcpSocket*, QByteArray> pending_;
    QList<Received> received_;
    int piece_ = 0;
    int answersEnded_ = 0;
};

#include "content/ServerDownload.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "platform/DesktopOpen.h"
#include "platform/WholeFile.h"

namespace {

// One manager for every download: it keeps connections to the server open between files.
QNetworkAccessManager& Manager() {
    static QPointer<QNetworkAccessManager> manager;
    if (manager.isNull()) {
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    }
    return *manager;
}

QNetworkRequest MakeRequest(const QString& address) {
    QNetworkRequest request{QUrl(address)};
    // as a browser's download: follow redirects, but never from https down to http
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setTransferTimeout(ServerDownload::kStallLimitMs);
    return request;
}

bool IsSuccessStatus(const QNetworkReply& reply) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

// One download while it runs. The reply is the receiver's child, so that the receiver's end ends
// the download: the reply goes, its connections with it, and with them the last hold on this.
struct Transfer {
    Transfer(const QString& localPath, qint64 maxBytes_, QObject* receiver_,
             ServerDownload::Done done_)
        : file(localPath), maxBytes(maxBytes_), receiver(receiver_), done(std::move(done_)) {}

    QSaveFile file;
    qint64 maxBytes;
    qint64 received = 0;
    bool written = true;
    bool ended = false;
    QObject* receiver;
    ServerDownload::Done done;
};

// Told in an event of its own: the caller may well end the receiver, and with it the reply
// whose signal is being delivered.
void Tell(QObject* receiver, const ServerDownload::Done& done, bool fetched) {
    QMetaObject::invokeMethod(
        receiver, [done, fetched] { done(fetched); }, Qt::QueuedConnection);
}

// A downloaded file is data for its owner alone, never a program to run.
bool Keep(QSaveFile& file) {
    const QString path = file.fileName();
    if (!CommitWhole(file)) {
        return false;
    }
    if (!QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)) {
        QFile::remove(path);
        return false;
    }
    return true;
}

void End(QNetworkReply* reply, Transfer& transfer, bool whole) {
    if (transfer.ended) {
        return;
    }
    transfer.ended = true;
    reply->disconnect();
    reply->abort();
    reply->deleteLater();
    bool fetched = false;
    if (whole) {
        fetched = Keep(transfer.file);
    } else {
        transfer.file.cancelWriting();
    }
    Tell(transfer.receiver, transfer.done, fetched);
}

// Streams the answer into the file. An answer that announces more than it may hold is given up
// before its body is read, and one that sends more (with a false length, or none) once the count
// passes the limit.
void Receive(QNetworkReply* reply, const std::shared_ptr<Transfer>& transfer, int limitMs) {
    auto* deadline = new QTimer(reply);
    deadline->setSingleShot(true);
    QObject::connect(deadline, &QTimer::timeout, reply,
                     [reply, transfer] { End(reply, *transfer, false); });
    deadline->start(limitMs);
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, transfer] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > transfer->maxBytes) {
            End(reply, *transfer, false);
        }
    });
    const auto store = [reply, transfer] {
        const QByteArray bytes = reply->readAll();
        transfer->received += bytes.size();
        if (transfer->received > transfer->maxBytes) {
            End(reply, *transfer, false);
            return false;
        }
        transfer->written = transfer->written && transfer->file.write(bytes) == bytes.size();
        return true;
    };
    QObject::connect(reply, &QNetworkReply::readyRead, reply, store);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, transfer, store] {
        const bool whole = store() && transfer->written &&
                           reply->error() == QNetworkReply::NoError && IsSuccessStatus(*reply);
        End(reply, *transfer, whole);
    });
}

}  // namespace

void ServerDownload::Fetch(const QString& address, const QString& localPath, qint64 maxBytes,
                           QObject* receiver, Done done, int limitMs) {
    auto transfer = std::make_shared<Transfer>(localPath, maxBytes, receiver, std::move(done));
    if (localPath.isEmpty() || !IsWebAddress(address) ||
        !transfer->file.open(QIODevice::WriteOnly)) {
        Tell(receiver, transfer->done, false);
        return;
    }
    QNetworkReply* reply = Manager().get(MakeRequest(address));
    reply->setParent(receiver);
    Receive(reply, transfer, limitMs);
}

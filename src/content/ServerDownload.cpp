#include "content/ServerDownload.h"

#include <QCoreApplication>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QSaveFile>
#include <QUrl>
#include <memory>

#include "platform/DeadlineLoop.h"
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

struct ReplyDeleter {
    void operator()(QNetworkReply* reply) const {
        reply->disconnect();
        reply->abort();
        delete reply;
    }
};

// Streams the answer into `file` until it ends or the deadline passes; true when it ended well.
// An answer that announces more than `maxBytes` is given up before its body is read, and one
// that sends more (with a false length, or none) once the count passes the limit.
bool Receive(QNetworkReply& reply, QSaveFile& file, qint64 maxBytes, int limitMs,
             const QObject* owner) {
    DeadlineLoop wait;
    bool written = true;
    bool tooLarge = false;
    qint64 received = 0;
    const auto refuse = [&] {
        tooLarge = true;
        wait.Finish();
    };
    QObject::connect(&reply, &QNetworkReply::metaDataChanged, &reply, [&] {
        if (reply.header(QNetworkRequest::ContentLengthHeader).toLongLong() > maxBytes) {
            refuse();
        }
    });
    const auto store = [&] {
        const QByteArray bytes = tooLarge ? QByteArray() : reply.readAll();
        received += bytes.size();
        if (received > maxBytes) {
            refuse();
            return;
        }
        written = written && file.write(bytes) == bytes.size();
    };
    QObject::connect(&reply, &QNetworkReply::readyRead, &reply, store);
    QObject::connect(&reply, &QNetworkReply::finished, &wait, &DeadlineLoop::Finish);
    bool givenUp = false;
    if (owner != nullptr) {
        QObject::connect(owner, &QObject::destroyed, &wait, [&] {
            givenUp = true;
            wait.Finish();
        });
    }
    if (!wait.Run(limitMs) || givenUp) {
        return false;
    }
    store();
    return !tooLarge && written && reply.error() == QNetworkReply::NoError &&
           IsSuccessStatus(reply);
}

}  // namespace

bool ServerDownload::Fetch(const QString& address, const QString& localPath, qint64 maxBytes,
                           int limitMs, const QObject* owner) {
    if (localPath.isEmpty()) {
        return false;
    }
    QSaveFile file(localPath);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    const std::unique_ptr<QNetworkReply, ReplyDeleter> reply(Manager().get(MakeRequest(address)));
    if (!Receive(*reply, file, maxBytes, limitMs, owner)) {
        file.cancelWriting();
        return false;
    }
    if (!CommitWhole(file)) {
        return false;
    }
    // a downloaded file is data for its owner alone, never a program to run
    if (!QFile::setPermissions(localPath, QFile::ReadOwner | QFile::WriteOwner)) {
        QFile::remove(localPath);
        return false;
    }
    return true;
}

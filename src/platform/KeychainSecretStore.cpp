#include "platform/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QPointer>
#include <QTimer>

namespace {
const QString kSecretServiceName = QStringLiteral("org.freedesktop.secrets");
}

KeychainSecretStore::KeychainSecretStore(QString service, int limitMs)
    : service_(std::move(service)), limitMs_(limitMs) {}

bool KeychainSecretStore::IsServiceRunning() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(kSecretServiceName);
    return registered.isValid() && registered.value();
}

void KeychainSecretStore::Read(const QString& key, QObject* receiver, ReadDone done) {
    if (!IsServiceRunning()) {
        done(std::nullopt);
        return;
    }
    auto* job = new QKeychain::ReadPasswordJob(service_);
    job->setKey(key);
    Run(job, receiver, [done](QKeychain::Job* ended) {
        const auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(ended);
        if (read == nullptr || read->error() != QKeychain::NoError) {
            done(std::nullopt);
            return;
        }
        done(read->textData());
    });
}

void KeychainSecretStore::Write(const QString& key, const QString& secret, QObject* receiver,
                                WriteDone done) {
    if (!IsServiceRunning()) {
        done(false);
        return;
    }
    auto* job = new QKeychain::WritePasswordJob(service_);
    job->setKey(key);
    job->setTextData(secret);
    Run(job, receiver, [done](QKeychain::Job* ended) {
        done(ended != nullptr && ended->error() == QKeychain::NoError);
    });
}

// The job deletes itself once finished, also after the limit gave up on it; the limit's timer
// belongs to the receiver, so both end with it.
void KeychainSecretStore::Run(QKeychain::Job* job, QObject* receiver,
                              const std::function<void(QKeychain::Job* ended)>& finished) const {
    // QtKeychain's own fallback is a plain settings file; the preferences file is ours
    job->setInsecureFallback(false);
    job->setAutoDelete(true);
    auto* limit = new QTimer(receiver);
    limit->setSingleShot(true);
    const QPointer<QKeychain::Job> running(job);
    QObject::connect(limit, &QTimer::timeout, receiver, [limit, running, finished] {
        if (!running.isNull()) {
            running->disconnect(limit);  // a late answer is not heard
        }
        limit->deleteLater();
        finished(nullptr);
    });
    QObject::connect(job, &QKeychain::Job::finished, limit,
                     [limit, finished](QKeychain::Job* ended) {
                         limit->stop();
                         limit->deleteLater();
                         finished(ended);
                     });
    limit->start(limitMs_);
    job->start();
}

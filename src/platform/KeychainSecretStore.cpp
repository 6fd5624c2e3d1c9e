#include "platform/KeychainSecretStore.h"

#include <qt6keychain/keychain.h>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <memory>

#include "platform/DeadlineLoop.h"

namespace {
const QString kSecretServiceName = QStringLiteral("org.freedesktop.secrets");
}

// What a job reported; shared with the job's handler, which may run after the wait gave up.
struct KeychainSecretStore::Outcome {
    bool succeeded = false;
    QString text;
};

KeychainSecretStore::KeychainSecretStore(QString service, int limitMs)
    : service_(std::move(service)), limitMs_(limitMs) {}

bool KeychainSecretStore::ServiceRunning() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || bus.interface() == nullptr) {
        return false;
    }
    const QDBusReply<bool> registered = bus.interface()->isServiceRegistered(kSecretServiceName);
    return registered.isValid() && registered.value();
}

std::optional<QString> KeychainSecretStore::Read(const QString& key) {
    if (!ServiceRunning()) {
        return std::nullopt;
    }
    auto* job = new QKeychain::ReadPasswordJob(service_);
    job->setKey(key);
    Outcome outcome;
    if (!Await(job, outcome)) {
        return std::nullopt;
    }
    return outcome.text;
}

bool KeychainSecretStore::Write(const QString& key, const QString& secret) {
    if (!ServiceRunning()) {
        return false;
    }
    auto* job = new QKeychain::WritePasswordJob(service_);
    job->setKey(key);
    job->setTextData(secret);
    Outcome outcome;
    return Await(job, outcome);
}

// Starts the job and waits for it within the limit. The job deletes itself once finished, also
// after a wait that gave up on it, so its handler only ever touches shared state.
bool KeychainSecretStore::Await(QKeychain::Job* job, Outcome& outcome) const {
    // QtKeychain's own fallback is a plain settings file; the preferences file is ours
    job->setInsecureFallback(false);
    job->setAutoDelete(true);
    auto reported = std::make_shared<Outcome>();
    DeadlineLoop wait;
    QObject::connect(job, &QKeychain::Job::finished, job, [reported](QKeychain::Job* done) {
        reported->succeeded = done->error() == QKeychain::NoError;
        if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(done)) {
            reported->text = read->textData();
        }
    });
    QObject::connect(job, &QKeychain::Job::finished, &wait, &DeadlineLoop::Finish);
    job->start();
    if (!wait.Run(limitMs_)) {
        return false;
    }
    outcome = *reported;
    return outcome.succeeded;
}

#pragma once

#include "platform/SecretStore.h"

namespace QKeychain {
class Job;
}

// The desktop's secret store (the Secret Service: GNOME Keyring, KWallet, KeePassXC ...) through
// QtKeychain. It is used only while a Secret Service runs on the session bus, so a desktop
// without one is never made to start one or to show a prompt. A job that outlasts the limit counts
// as a failure and is left to finish on its own, unheard.
class KeychainSecretStore : public SecretStore {
public:
    static constexpr int kDefaultLimitMs = 3000;

    explicit KeychainSecretStore(QString service = QStringLiteral("Quilo"),
                                 int limitMs = kDefaultLimitMs);

    void Read(const QString& key, QObject* receiver, ReadDone done) override;
    void Write(const QString& key, const QString& secret, QObject* receiver,
               WriteDone done) override;
    bool IsPresent() const override { return IsServiceRunning(); }

    // True when a Secret Service owns its name on the session bus.
    static bool IsServiceRunning();

private:
    // Starts the job; `finished` hears the job that ended in time, or nullptr when the limit ran
    // out first.
    void Run(QKeychain::Job* job, QObject* receiver,
             const std::function<void(QKeychain::Job* ended)>& finished) const;

    QString service_;
    int limitMs_;
};

#pragma once

#include "platform/SecretStore.h"

namespace QKeychain {
class Job;
}

// The desktop's secret store (the Secret Service: GNOME Keyring, KWallet, KeePassXC ...) through
// QtKeychain. It is used only while a Secret Service runs on the session bus, so a desktop
// without one is never made to start one or to show a prompt. Each job is awaited in a bounded
// nested event loop; a job that outlasts the limit counts as a failure and is left to finish on
// its own.
class KeychainSecretStore : public SecretStore {
public:
    static constexpr int kDefaultLimitMs = 3000;

    explicit KeychainSecretStore(QString service = QStringLiteral("Quilo"),
                                 int limitMs = kDefaultLimitMs);

    std::optional<QString> Read(const QString& key) override;
    bool Write(const QString& key, const QString& secret) override;
    bool Present() const override { return ServiceRunning(); }

    // True when a Secret Service owns its name on the session bus.
    static bool ServiceRunning();

private:
    struct Outcome;
    bool Await(QKeychain::Job* job, Outcome& outcome) const;

    QString service_;
    int limitMs_;
};

#pragma once

#include <QString>
#include <optional>

// A place for secrets outside every file: the desktop's secret store, or a stand-in. Each call
// ends with the store's answer or with a failure; a store that is not there fails at once.
class SecretStore {
public:
    virtual ~SecretStore() = default;

    // The secret kept under the key; nothing when there is none or the store did not answer.
    virtual std::optional<QString> Read(const QString& key) = 0;
    // True only once the store has confirmed that it keeps the secret.
    virtual bool Write(const QString& key, const QString& secret) = 0;
    // Whether the store is there to be asked at all (it may still fail to answer in time).
    virtual bool Present() const = 0;
};

#pragma once

#include <QString>

#include <functional>
#include <optional>

class QObject;

// A place for secrets outside every file: the desktop's secret store, or a stand-in. Each call
// starts at once and tells `done` the store's answer or a failure, once, unless `receiver` is gone
// by then; a store that is not there fails at once, before the call returns.
class SecretStore {
public:
    using ReadDone = std::function<void(const std::optional<QString>& secret)>;
    using WriteDone = std::function<void(bool kept)>;

    virtual ~SecretStore() = default;

    // The secret kept under the key; nothing when there is none or the store did not answer.
    virtual void Read(const QString& key, QObject* receiver, ReadDone done) = 0;
    // True only once the store has confirmed that it keeps the secret.
    virtual void Write(const QString& key, const QString& secret, QObject* receiver,
                       WriteDone done) = 0;
    // Whether the store is there to be asked at all (it may still fail to answer in time).
    virtual bool IsPresent() const = 0;
};

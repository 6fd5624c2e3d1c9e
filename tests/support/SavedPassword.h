#pragma once

#include "platform/CPrefStore.h"
#include "support/Await.h"

#include <QObject>

#include <optional>

// The saved password read or written through the preferences, or a secret through a store, with
// the answer awaited: the desktop's secret store answers in its own time.
namespace SavedPassword {

template <typename Answer, typename Ask>
std::optional<Answer> Told(Ask ask) {
    QObject receiver;
    std::optional<Answer> answer;
    ask(&receiver, [&answer](const Answer& told) { answer = told; });
    Await([&answer] { return answer.has_value(); });
    return answer;
}

inline std::optional<QString> Read(const CPrefStore& prefs) {
    return Told<std::optional<QString>>(
               [&](QObject* receiver, auto done) { prefs.GetPW(receiver, done); })
        .value_or(std::nullopt);
}

// a temporary store is fine: the answer is awaited before it goes
template <typename Prefs>
bool Write(Prefs&& prefs, const QString& password) {
    return Told<bool>([&](QObject* receiver, auto done) { prefs.SetPW(password, receiver, done); })
        .value_or(false);
}

template <typename Store>
std::optional<QString> ReadSecret(Store&& store, const QString& key) {
    return Told<std::optional<QString>>(
               [&](QObject* receiver, auto done) { store.Read(key, receiver, done); })
        .value_or(std::nullopt);
}

template <typename Store>
bool WriteSecret(Store&& store, const QString& key, const QString& secret) {
    return Told<bool>(
               [&](QObject* receiver, auto done) { store.Write(key, secret, receiver, done); })
        .value_or(false);
}

}  // namespace SavedPassword

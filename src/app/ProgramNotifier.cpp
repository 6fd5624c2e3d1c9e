#include "app/ProgramNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include "content/Program.h"

namespace {
// the desktop's own choice of how long a notification stays
constexpr int kDefaultTimeout = -1;
}  // namespace

ProgramNotifier::ProgramNotifier(const QDBusConnection& bus, const Program& program,
                                 QObject* parent)
    : QObject(parent), bus_(bus), program_(program) {
    connect(&program.player, &PlayerModel::programChanged, this,
            &ProgramNotifier::OnProgramChanged);
}

void ProgramNotifier::OnProgramChanged() {
    if (IsHidden(program_.player.Mode()) && program_.prefs.GetOptionNotify() &&
        !program_.player.OnAir().title.isEmpty()) {
        Notify(program_.player.OnAir().title);
    }
}

void ProgramNotifier::Notify(const QString& title) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // the menu entry's name lets the desktop show the program's icon and name, and lets the
    // listener silence these notifications in the desktop's own settings as well as here
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("quilo")}};
    call << QStringLiteral("Quilo") << replacesId_ << QStringLiteral("quilo")
         << QStringLiteral("Quilo") << title << QStringList() << hints << kDefaultTimeout;
    // the answer comes later: the player does not wait for the desktop
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, &ProgramNotifier::OnNotifyAnswered);
}

// Without a notification server there is no answer but an error, and nothing to replace.
void ProgramNotifier::OnNotifyAnswered(QDBusPendingCallWatcher* watcher) {
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isValid()) {
        replacesId_ = reply.value();
    }
    watcher->deleteLater();
}

#pragma once

#include <QDBusConnection>
#include <QObject>

class Program;
class QDBusPendingCallWatcher;

// Tells the desktop (org.freedesktop.Notifications) of the program on air when it changes while
// the face is hidden in the tray, unless the listener switched it off. It is one notification,
// updated in place as the programs change, never a pile of them.
class ProgramNotifier : public QObject {
    Q_OBJECT

public:
    ProgramNotifier(const QDBusConnection& bus, const Program& program, QObject* parent = nullptr);

private:
    // the player model's program on air changed
    void OnProgramChanged();
    void Notify(const QString& title);
    void OnNotifyAnswered(QDBusPendingCallWatcher* watcher);

    QDBusConnection bus_;
    const Program& program_;
    // the desktop's id of our notification, replaced by the next one; 0 before the first
    uint replacesId_ = 0;
};

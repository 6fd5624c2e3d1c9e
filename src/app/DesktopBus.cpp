#include "app/DesktopBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "app/MprisPlayer.h"
#include "app/MprisRoot.h"
#include "app/ProgramNotifier.h"
#include "content/Program.h"
#include "platform/LogMessages.h"
#include "windows/CMainDlg.h"

DesktopBus::DesktopBus(Program& program, CMainDlg& mainWindow)
    : program_(program), mainWindow_(mainWindow) {}

DesktopBus::~DesktopBus() {
    if (joined_) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterObject(QString::fromLatin1(MprisPlayer::kObjectPath));
        bus.unregisterService(QString::fromLatin1(kServiceName));
    }
}

// The interfaces hang on this object; the notifier works without them, as long as there is a bus.
bool DesktopBus::Join() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        program_.log.WriteLog(LogText::kNoSessionBus);
        return false;
    }
    new ProgramNotifier(bus, program_, this);
    new MprisRoot(this, mainWindow_);
    new MprisPlayer(this, bus, program_, mainWindow_.Actions());
    joined_ = bus.registerObject(QString::fromLatin1(MprisPlayer::kObjectPath), this,
                                 QDBusConnection::ExportAdaptors) &&
              bus.registerService(QString::fromLatin1(kServiceName));
    return joined_;
}

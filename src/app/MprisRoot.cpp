#include "app/MprisRoot.h"

#include "windows/CMainDlg.h"

MprisRoot::MprisRoot(QObject* exported, CMainDlg& mainWindow)
    : QDBusAbstractAdaptor(exported), mainWindow_(mainWindow) {}

// the face comes back from the tray, or forward, as for a second start of the program
void MprisRoot::Raise() {
    mainWindow_.ActivateInstance();
}

// After the answer has gone out: the window's end also takes this interface off the bus.
void MprisRoot::Quit() {
    QMetaObject::invokeMethod(&mainWindow_, &CMainDlg::CloseWithoutAsking, Qt::QueuedConnection);
}

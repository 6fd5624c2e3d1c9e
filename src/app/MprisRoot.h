#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>

class CMainDlg;

// The player as the desktop's media applets and keys know it (org.mpris.MediaPlayer2): its
// name, its desktop entry, and the two things they may ask of the whole program: bring the face
// forward, or end it as the close command does, without asking.
class MprisRoot : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)

public:
    // `exported` is the object on the bus the interface hangs on.
    MprisRoot(QObject* exported, CMainDlg& mainWindow);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const { return QStringLiteral("Quilo"); }
    QString DesktopEntry() const { return QStringLiteral("quilo"); }
    // the player plays its own two streams, never an address handed to it
    QStringList SupportedUriSchemes() const { return {}; }
    QStringList SupportedMimeTypes() const { return {}; }

public slots:
    void Raise();
    void Quit();

private:
    CMainDlg& mainWindow_;
};

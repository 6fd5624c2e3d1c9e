#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QVariantMap>

class PlayerActions;
class Program;

// The player's controls as the desktop's media applets and keys see them
// (org.mpris.MediaPlayer2.Player): Play, Pause (what is on air is held, and Play goes on from
// there) and Stop of the live stream, the volume in both directions with the face's slider, and
// the program on air as the "track". Every change, however it came about, is announced on the bus.
class MprisPlayer : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(bool CanGoNext READ CanNot)
    Q_PROPERTY(bool CanGoPrevious READ CanNot)
    Q_PROPERTY(bool CanSeek READ CanNot)
    Q_PROPERTY(bool CanPlay READ Can)
    Q_PROPERTY(bool CanPause READ Can)
    Q_PROPERTY(bool CanControl READ Can)

public:
    static constexpr char kObjectPath[] = "/org/mpris/MediaPlayer2";

    // `exported` is the object on `bus` the interface hangs on.
    MprisPlayer(QObject* exported, const QDBusConnection& bus, Program& program,
                PlayerActions& commands);

    QString PlaybackStatus() const;
    double Rate() const { return 1.0; }
    QVariantMap Metadata() const;
    double Volume() const;
    void SetVolume(double volume);
    // a live stream has no position
    qlonglong Position() const { return 0; }
    bool Can() const { return true; }
    bool CanNot() const { return false; }

public slots:
    void Play();
    void Pause();
    void PlayPause();
    void Stop();
    // one live stream: nothing before or after it, nothing to seek in, no other address to open
    void Next() {}
    void Previous() {}
    void Seek(qlonglong) {}
    void SetPosition(const QDBusObjectPath&, qlonglong) {}
    void OpenUri(const QString&) {}

signals:
    void Seeked(qlonglong position);

private:
    void ConnectPlayerModel();
    void AnnounceIfChanged();
    void Announce(const QVariantMap& changed);
    QString TrackId() const;
    QString ArtPath() const;

    QDBusConnection bus_;
    Program& program_;
    PlayerActions& commands_;
    // what the bus was last told, so that only a change is announced
    QString announcedStatus_;
    QVariantMap announcedMetadata_;
    double announcedVolume_ = -1;
};

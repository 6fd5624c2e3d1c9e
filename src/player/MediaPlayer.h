#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_event_t;

// The media engine behind the viewer, on libVLC: a one-item playlist played and stopped, the
// play state (3 while playing), volume 0..100 and mute, the engine's version text and the
// video's size. Addresses "mms://" are opened as MMS over HTTP ("mmsh://"), and when that fails,
// as plain HTTP.
//
// libVLC reports from its own threads; every report is copied and delivered on the thread that
// owns this object, and no libVLC call is ever made from inside a libVLC callback.
class MediaPlayer : public QObject {
    Q_OBJECT

public:
    // The play states callers compare against.
    enum PlayState { kUndefined = 0, kStopped = 1, kPaused = 2, kPlaying = 3, kTransitioning = 9 };

    explicit MediaPlayer(const QStringList& engineOptions = {}, QObject* parent = nullptr);
    ~MediaPlayer() override;
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    // False when the engine could not be started (no libVLC plugins, bad options).
    bool IsCreated() const { return player_ != nullptr; }
    QString VersionInfo() const;

    // Video is drawn into the native window `windowId` (0: the engine's own window).
    void SetVideoWindow(unsigned long windowId);

    void Play(const QString& address);
    void Stop();
    int GetPlayState() const;
    QString CurrentAddress() const { return requestedAddress_; }

    // Volume and mute are kept while nothing plays and given to every stream as it starts.
    int GetVolume() const { return volume_; }
    void SetVolume(int volume);
    void SetMute(bool mute);
    bool IsMuted() const { return muted_; }

    // The video's own size; empty while no video plays.
    QSize VideoSize() const;

    // The address as the engine opens it: "mms://" becomes MMS over HTTP.
    static QString EngineAddress(const QString& address);

signals:
    void playStateChanged(int state);
    // the stream could not be opened or broke off
    void errorOccurred();

private:
    static void OnEngineEvent(const libvlc_event_t* event, void* self);
    void HandleEngineEvent(int eventType);
    void OpenAddress(const QString& engineAddress);
    void ApplyAudioSettings();

    libvlc_instance_t* instance_ = nullptr;
    libvlc_media_player_t* player_ = nullptr;
    QString requestedAddress_;
    QString openedAddress_;
    int volume_ = 100;
    bool muted_ = false;
};

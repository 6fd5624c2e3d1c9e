#pragma once

#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <vector>

#include "player/StreamWatch.h"

class EngineLog;
class HoldTape;
class VideoFrameView;

struct libvlc_instance_t;
struct libvlc_media_player_t;
struct libvlc_media_t;
struct libvlc_event_t;

// The media engine behind the viewer, on libVLC: a one-item playlist played and stopped, the
// play state (3 while playing), volume 0..100 and mute, the engine's version text and the
// video's size. Addresses "mms://" are opened as MMS over HTTP ("mmsh://"), and when that fails,
// as plain HTTP.
//
// A radio stream is meant to go on for ever: when the engine reaches its end, or it stops
// bringing new sound (StreamWatch), that is reported as an error just like a stream that could
// not be opened, so that the owner plays it again. Only Stop() ends a stream quietly.
//
// Unless the engine options name an output ("--aout=..."), each stream start picks the sound
// output that is really there (AudioOutputProbe); when there is none the stream still runs,
// silently, and audioOutputUnavailable() says so once. The engine's messages go through
// EngineLog and stay quiet unless asked for.
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
    // Video is decoded into the view's frames instead, for a desktop whose windows the engine
    // cannot draw into. The view must outlive the engine's playing.
    void DrawVideoInto(VideoFrameView& view);

    void Play(const QString& address);
    // Plays what `tape` holds of `address`, from its oldest sound, behind live; reported like a
    // stream of `address` (its end is a failure, as a live stream's is).
    void PlayHeld(const QString& address, std::shared_ptr<HoldTape> tape);
    // Holds or goes on with what is played from a tape (a live stream is stopped instead).
    void SetPaused(bool paused);
    void Stop();
    int CurrentPlayState() const;
    QString CurrentAddress() const { return requestedAddress_; }

    // Volume and mute are kept while nothing plays and given to every stream as it starts.
    int Volume() const { return volume_; }
    void SetVolume(int volume);
    void SetMute(bool mute);
    bool IsMuted() const { return muted_; }

    // The video's own size; empty while no video plays.
    QSize VideoSize() const;

    // A libVLC instance started with `arguments`; null when it cannot start.
    static libvlc_instance_t* NewEngine(const std::vector<QByteArray>& arguments);

    // The address as the engine opens it: "mms://" becomes MMS over HTTP.
    static QString EngineAddress(const QString& address);

signals:
    void playStateChanged(int state);
    // the stream could not be opened or broke off
    void errorOccurred();
    // this stream start has no sound output to play to (at most once per Play)
    void audioOutputUnavailable();

private:
    static void OnEngineEvent(const libvlc_event_t* event, void* self);
    void HandleEngineEvent(int eventType, unsigned generation);
    void OpenAddress(const QString& engineAddress, bool newStart);
    void OpenMedia(libvlc_media_t* media, bool newStart);
    void LetGoOfTape();
    void ApplyAudioSettings();
    void ReportFailure();
    void ReportNoAudioOutput();
    qint64 PlayedMs() const;

    libvlc_instance_t* instance_ = nullptr;
    libvlc_media_player_t* player_ = nullptr;
    // not parented: it must be gone before the engine instance it listens to is released
    std::unique_ptr<EngineLog> log_;
    StreamWatch watch_;
    // The stream the engine plays now; events of an earlier one (those the engine sends while we
    // replace or stop it) carry an older number and are not taken for this one's.
    std::atomic<unsigned> generation_{0};
    bool failureReported_ = false;
    bool noOutputReported_ = false;
    // the output is picked at each start, unless the options name one
    bool chooseOutput_ = true;
    // the tape played from, kept until the engine has stopped reading it
    std::shared_ptr<HoldTape> tape_;
    QString requestedAddress_;
    QString openedAddress_;
    int volume_ = 100;
    bool muted_ = false;
};

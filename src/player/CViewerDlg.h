#pragma once

#include <QStringList>
#include <memory>

#include "player/MediaPlayer.h"
#include "skin/CSkinDialog.h"

class ActivityLog;
class CSkinButton;
class HoldTape;
class SkinInfo;
class VideoFrameView;

// The window that holds the media player: hidden while the audio channel plays, shown as a small
// skinned video window under the player for the visual channel. Play, Stop and Show write their
// attempt and outcome to the log. The owner hears of two things: the viewer's close button
// (closeRequested) and a stream that failed or broke off (playbackFailed, at once, after the
// viewer has stopped it; when to try again is the owner's decision).
class CViewerDlg : public CSkinDialog {
    Q_OBJECT

public:
    // `engineOptions` are extra libVLC options; `skin` places the viewer's look.
    CViewerDlg(ActivityLog& log, const SkinInfo& skin, QStringList engineOptions, QWidget* owner);
    ~CViewerDlg() override;

    // Starts the media engine; until then (and when it fails) every operation logs that the
    // player has not been created, or does nothing.
    bool Create();

    void Play(const QString& address, bool keepMute);
    // Plays what `tape` holds of `address`, behind live.
    void PlayHeld(const QString& address, std::shared_ptr<HoldTape> tape);
    void Stop();
    // Shows the viewer with its top-left at the screen point (kept on the screen).
    void Show(int x, int y);
    void Hide();
    // The stream really plays (not only asked for).
    bool IsPlaying() const;
    bool IsCreated() const { return player_ != nullptr; }
    // A stream was asked for and not stopped since.
    bool IsPlayRequested() const { return playRequested_; }
    bool IsShown() const { return shown_; }
    bool IsMuted() const { return muted_; }
    int GetVolume() const;
    void SetVolume(int volume);
    void SetMute(bool mute);
    // The first two characters of the engine's version text; empty without an engine.
    QString GetPlayerVersion() const;

    // The engine, once created.
    MediaPlayer* Engine() const { return player_.get(); }

    static constexpr int kVideoWidth = 320;
    static constexpr int kVideoHeight = 240;

signals:
    void playbackFailed();
    void closeRequested();
    // the stream plays, but there is nothing to play its sound to
    void soundOutputUnavailable();

private:
    void PlaceSkinned(const QPoint& wanted, const QSize& backgroundSize);
    void PlaceAtVideoSize(const QPoint& wanted);
    void PlaceCloseButton();
    void OnPlayerError();
    void OnPlayStateChanged(int state);
    void WriteLog(const char* text);

    ActivityLog& log_;
    const SkinInfo& skin_;
    QStringList engineOptions_;
    // not parented: the engine stops and goes before the video widget it draws into, which goes
    // with the dialog's other children
    std::unique_ptr<MediaPlayer> player_;
    VideoFrameView* video_ = nullptr;
    CSkinButton* closeButton_ = nullptr;
    bool playRequested_ = false;
    bool shown_ = false;
    bool muted_ = false;
};

#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <memory>

#include "player/MediaPlayer.h"
#include "skin/CSkinDialog.h"

class CSkinButton;
class Program;

// The window that holds the media player: hidden while the audio channel plays, shown as a small
// skinned video window under the player for the visual channel. Play, Stop and Show write their
// attempt and outcome to the log. The owner hears of two things, as clicks of its own buttons:
// the viewer's close button (1008, the view button) and a player error (1005, the play button).
class CViewerDlg : public CSkinDialog {
    Q_OBJECT

public:
    // Flag bits of GetFlags.
    enum Flag : uint8_t { kCreated = 1, kPlaying = 2, kShown = 4, kMuted = 8 };

    CViewerDlg(Program& program, QWidget* owner);
    ~CViewerDlg() override;

    // Starts the media engine; until then (and when it fails) every operation logs that the
    // player has not been created, or does nothing.
    bool Create();

    void Play(const QString& address, bool keepMute);
    void Stop();
    // Shows the viewer with its top-left at the screen point (kept on the screen).
    void Show(int x, int y);
    void Hide();
    bool IsPlaying() const;
    int GetVolume() const;
    void SetVolume(int volume);
    void SetMute(bool mute);
    uint8_t GetFlags() const { return flags_; }
    // The first two characters of the engine's version text.
    QString GetPlayerVersion() const;

    // The engine, once created.
    MediaPlayer* Engine() const { return player_.get(); }

    static constexpr int kPlayButtonId = 1005;
    static constexpr int kViewButtonId = 1008;
    static constexpr int kCloseButtonId = 1095;
    static constexpr int kVideoWidth = 320;
    static constexpr int kVideoHeight = 240;
    // An error is reported no sooner than this after its Play: the owner answers an error with a
    // new Play, and a server that refuses at once must not be asked again and again without pause.
    static constexpr int kErrorPauseMs = 3000;

protected:
    LRESULT WindowProc(const WindowMessage& message) override;
    void OnDestroy() override;

private:
    bool IsCreated() const { return (flags_ & kCreated) != 0; }
    void SetFlag(Flag flag, bool on);
    void PlaceSkinned(const QPoint& wanted, const QSize& backgroundSize);
    void PlaceAtVideoSize(const QPoint& wanted);
    void PlaceCloseButton();
    void OnPlayerError();
    void ReportError();
    void OnPlayStateChanged(int state);
    void WriteLog(const char* text);

    Program& program_;
    QPointer<QWidget> owner_;
    std::unique_ptr<MediaPlayer> player_;
    QWidget* video_ = nullptr;
    CSkinButton* closeButton_ = nullptr;
    uint8_t flags_ = 0;
    // since the last Play, and an error waiting to be reported
    QElapsedTimer sincePlay_;
    QTimer pendingError_;
};

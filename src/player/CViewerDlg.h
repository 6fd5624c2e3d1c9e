#pragma once

#include <QPointer>
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

    MediaPlayer& Engine() { return *player_; }

    static constexpr int kPlayButtonId = 1005;
    static constexpr int kViewButtonId = 1008;
    static constexpr int kCloseButtonId = 1095;
    static constexpr int kVideoWidth = 320;
    static constexpr int kVideoHeight = 240;

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
    void OnPlayStateChanged(int state);
    void WriteLog(const char* text);

    Program& program_;
    QPointer<QWidget> owner_;
    std::unique_ptr<MediaPlayer> player_;
    QWidget* video_ = nullptr;
    CSkinButton* closeButton_ = nullptr;
    uint8_t flags_ = 0;
};

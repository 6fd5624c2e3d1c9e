#pragma once

#include <QObject>
#include <QString>

#include "content/AppState.h"

// Which face the listener has: the main or the mini window, shown or hidden in the tray.
enum class ViewMode {
    MainShown,
    MainHidden,
    MiniShown,
    MiniHidden,
};

inline bool IsMini(ViewMode mode) {
    return mode == ViewMode::MiniShown || mode == ViewMode::MiniHidden;
}
inline bool IsHidden(ViewMode mode) {
    return mode == ViewMode::MainHidden || mode == ViewMode::MiniHidden;
}

// What the listener sees and changes, kept in one place: whether a stream is asked for, the
// volume, the mute, which face is up, and the program on air with its links. Each change is told
// by a signal of its own, and only a real change is told, so the faces, the tray, the desktop bus
// and the notifier follow these signals and never ask one another's widgets.
class PlayerModel : public QObject {
    Q_OBJECT

public:
    static constexpr int kMaxVolume = 100;

    explicit PlayerModel(QObject* parent = nullptr);

    // a stream is asked for: playing, opening, or about to be tried again after it broke off
    bool IsPlaying() const { return playing_; }
    // a stream is asked for and held: the listener paused it
    bool IsPaused() const { return paused_; }
    // how far what is heard is behind what is on air, in ms (0: live)
    qint64 BehindLiveMs() const { return behindLiveMs_; }
    int Volume() const { return volume_; }
    bool IsMuted() const { return muted_; }
    ViewMode Mode() const { return mode_; }
    const AppState& OnAir() const { return onAir_; }

    void SetPlaying(bool playing);
    void SetPaused(bool paused);
    void SetBehindLive(qint64 ms);
    // clamped to 0..kMaxVolume
    void SetVolume(int volume);
    void SetMuted(bool muted);
    void SetMode(ViewMode mode);

    // A new main window starts from the defaults, without telling anyone.
    void ResetOnAir(const AppState& defaults);
    // The program's records were read: they replace the old ones whole.
    void SetProgram(const AppState& program);
    // The clock's last answer. It is told through what follows from it: a new program's records,
    // or the program cleared.
    void SetProgramCode(const QString& code);
    // No program is known: the three links lead to `mainSite` again.
    void ClearProgram(const QString& mainSite);
    // The banner has no event: it leads to `mainSite`.
    void SetEventLink(const QString& link);
    // The link images of the program on air were fetched (or given up on), or are gone.
    void LinksFetched();
    void ClearLinks();

signals:
    void playingChanged(bool playing);
    void pausedChanged(bool paused);
    void behindLiveChanged(qint64 ms);
    void volumeChanged(int volume);
    void mutedChanged(bool muted);
    void viewModeChanged(ViewMode mode);
    void programChanged();
    void programCleared();
    void linksChanged();
    void linksCleared();

private:
    bool playing_ = false;
    bool paused_ = false;
    qint64 behindLiveMs_ = 0;
    int volume_ = 0;
    bool muted_ = false;
    ViewMode mode_ = ViewMode::MainShown;
    AppState onAir_;
};

#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

class ActivityLog;
class CViewerDlg;
class LiveHold;
class PlayerModel;

// Pausing the live radio, in one place. Pause holds what is on air: the listener's player
// stops, and a LiveHold goes on keeping the audio channel as it arrives. Play goes on from the
// moment of the pause, reading the hold behind live; a pause while behind live only pauses the
// player, since the hold keeps arriving anyway. How far behind live the listener is goes to the
// player model, every second while paused. Going back to live, stopping, switching channel or
// a broken stream forgets the hold.
//
// A pause longer than the hold keeps (LiveHold::kKeptMs) plays on from the oldest sound kept.
class LivePause : public QObject {
    Q_OBJECT

public:
    LivePause(ActivityLog& log, PlayerModel& model, CViewerDlg& viewer, QStringList engineOptions,
              QObject* parent);

    // Holds `address`, the stream playing now; false when it cannot be held.
    bool Pause(const QString& address);
    // Plays on from the pause; false when nothing is paused.
    bool PlayOn();
    bool IsPaused() const { return paused_; }
    // paused, or playing what was held
    bool IsBehindLive() const;
    // The hold is let go: the caller stops the player or opens what is on air.
    void Forget();

private:
    void ShowBehindLive();

    ActivityLog& log_;
    PlayerModel& model_;
    CViewerDlg& viewer_;
    QStringList engineOptions_;
    // made at the first pause: a listener who never pauses never loads a second engine
    LiveHold* hold_ = nullptr;
    QString address_;
    // every second while paused: the distance from live grows
    QTimer pausedTick_;
    QElapsedTimer pausedFor_;
    // how far behind live the pauses before this one left the listener
    qint64 behindBeforeMs_ = 0;
    bool paused_ = false;
    // the player plays (or holds) the hold's tape
    bool readingTape_ = false;
};

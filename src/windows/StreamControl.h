#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>

class CViewerDlg;
class LivePause;
class PlayerModel;
class Program;
class StreamRecovery;
class TickerRule;

// Everything the player's faces ask of the stream: which addresses to play, Play, Stop, the switch
// to and from "Seeing Radio", and what happens when the stream fails: the viewer stops it and
// reports it, the ticker says the stream is being reconnected (never a message box), and after
// StreamRecovery's pause it is played again as if the listener had pressed Play. Any stream the
// listener opens or stops ends a waiting attempt; there is only ever one stream, in the viewer's
// one player. A computer with no sound output is told once, in the log and on the ticker. While a
// stream opens, the ticker says so; once it plays, the ticker shows the program again and the
// visual stream's viewer opens under the face on screen. A pause and the way back to live are
// LivePause's. What is heard follows the player model's volume and mute; whether a stream is asked
// for is told to the model.
class StreamControl : public QObject {
    Q_OBJECT

public:
    // `faceGeometry` tells where the face on screen is, for the viewer to open under it.
    StreamControl(Program& program, TickerRule& ticker, std::function<QRect()> faceGeometry,
                  QWidget* owner);
    ~StreamControl() override;

    // The start of the player: the engine, the addresses for its version, the model's volume,
    // and the audio channel unless `play` is false (a scheduled start waits hidden).
    void Start(bool play);

    // Plays, or goes on from where a pause held the stream.
    void Play();
    void Stop();
    // Holds what is on air (the audio channel only); Play goes on from here, behind live.
    void Pause();
    // From behind live to what is on air now.
    void BackToLive();
    // Between the audio channel and "Seeing Radio".
    void View();
    // the viewer has a stream open or opening (not while a broken one waits to be tried again)
    bool IsPlayRequested() const;
    // The share of the listener's volume that is heard (1 unless the sleep timer fades the
    // sound out); the model's volume, the one saved, stays as the listener set it.
    void SetFade(double share);

    CViewerDlg& Viewer() const { return *viewer_; }
    const StreamRecovery& Recovery() const { return *recovery_; }
    const QString& FmUrl() const { return fmUrl_; }
    const QString& VfmUrl() const { return vfmUrl_; }

signals:
    // a stream is opened by Play (pressed, or a failed stream tried again)
    void playStarting();

private:
    void ChooseStreamAddresses();
    void PlayStream(bool again);
    void OnStreamFailed();
    void OnStreamPlaying();
    void OnSoundOutputUnavailable();
    void ApplyVolume();

    Program& program_;
    PlayerModel& model_;
    TickerRule& ticker_;
    std::function<QRect()> faceGeometry_;
    CViewerDlg* viewer_;
    StreamRecovery* recovery_;
    LivePause* pause_;
    QString fmUrl_;
    QString vfmUrl_;
    // what the stream asked for last brings once it plays
    enum class WhenPlaying { Nothing, ShowProgram, ShowViewer };
    WhenPlaying whenPlaying_ = WhenPlaying::Nothing;
    // the listener has been told once that nothing can be heard
    bool toldNoSoundOutput_ = false;
    double fade_ = 1.0;
};

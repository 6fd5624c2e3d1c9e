#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class StreamControl;

// Falling asleep to the radio: after the chosen time the sound fades out over the last 30
// seconds, then playback stops and the volume is the listener's setting again, for the next
// Play. Choosing again starts the count over; Cancel gives the sound back at once. The timer
// lives with the main window, so a skin switch or a change of face keeps it; a restart does not.
class SleepTimer : public QObject {
    Q_OBJECT

public:
    static constexpr qint64 kFadeMs = 30000;
    static constexpr int kFadeStepMs = 250;

    SleepTimer(StreamControl& stream, QObject* parent);

    // Playback ends `afterMs` from now; the fade takes the last 30 s of it, or all of a shorter
    // time.
    void Start(qint64 afterMs);
    void Cancel();

signals:
    // the time ran out and playback stopped
    void ended();

private:
    void BeginFade();
    void FadeStep();

    StreamControl& stream_;
    // once, when the fade begins
    QTimer fadeStart_;
    // a few times a second while the sound fades
    QTimer fadeStep_;
    QElapsedTimer fadeClock_;
    qint64 fadeMs_ = kFadeMs;
};

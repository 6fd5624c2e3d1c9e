#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>

class MediaPlayer;

// The short sound a click on a character makes: half a second after the click (so that it does
// not cover the press itself) the program's click wave plays once, on an engine of its own so
// the radio keeps playing. The engine is made on the first click and kept.
class ClickSound : public QObject {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 500;

    ClickSound(QStringList engineOptions, QObject* parent);

    // Starts the half-second wait; a second click within it waits anew and plays once.
    void Schedule();
    bool IsPending() const { return delay_.isActive(); }

signals:
    void played();

private:
    void Play();
    // The wave, copied out of the program's resources into the work folder, where the engine can
    // open it; empty when it cannot be written.
    static QString WaveFile();

    QStringList engineOptions_;
    QTimer delay_;
    MediaPlayer* engine_ = nullptr;
};

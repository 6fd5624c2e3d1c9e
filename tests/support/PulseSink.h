#pragma once

#include <QProcess>
#include <QString>

#include "support/ToneAnalysis.h"

// A private sound server for one test: PulseAudio with a single null output, whose sound is
// recorded to a WAV file as it plays. What the listener would hear, volume and mute included,
// lands in the recording. The server lives in the test's own runtime folder and ends with it.
class PulseSink {
public:
    PulseSink();
    ~PulseSink();
    PulseSink(const PulseSink&) = delete;
    PulseSink& operator=(const PulseSink&) = delete;

    // True once the server answers and the recording runs.
    bool Start();
    // "unix:<socket>", for PULSE_SERVER; Start() sets it for this process and its children.
    QString ServerAddress() const;
    ToneAnalysis::Sound Recorded() const;
    // The amplitude of one frequency over the last `milliseconds` heard (0 before that much).
    double RecentLevel(double frequency, int milliseconds = 300) const;

private:
    QString folder_;
    QProcess server_;
    QProcess recorder_;
};

#pragma once

#include <QString>

// Finds the sound output the engine should use before a stream starts, so that a machine without
// sound is told once and stays quiet, instead of the engine trying every output again for every
// buffer: PulseAudio (PipeWire answers for it) when a server answers, else ALSA when its default
// device opens, else none.
class AudioOutputProbe {
public:
    // The engine's output module: "pulse", "alsa", or "adummy" (sound decoded and dropped, the
    // stream still runs) when no output is there.
    static QString Choose();
    static bool PulseServerAnswers(int timeoutMs = 1000);
    static bool AlsaDeviceOpens();

    static constexpr const char* kNoOutput = "adummy";
};

#include "player/AudioOutputProbe.h"

#include <alsa/asoundlib.h>
#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <QElapsedTimer>

QString AudioOutputProbe::Choose() {
    if (PulseServerAnswers()) {
        return QStringLiteral("pulse");
    }
    if (AlsaDeviceOpens()) {
        return QStringLiteral("alsa");
    }
    return QString::fromLatin1(kNoOutput);
}

// A real connection, as the engine's own output would make it (server address from
// PULSE_SERVER, the client configuration or the user's runtime folder); a server is never
// started for it.
bool AudioOutputProbe::PulseServerAnswers(int timeoutMs) {
    pa_mainloop* loop = pa_mainloop_new();
    if (loop == nullptr) {
        return false;
    }
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "Quilo");
    bool answered = false;
    if (context != nullptr &&
        pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) {
                answered = true;
                break;
            }
            const qint64 left = timeoutMs - clock.elapsed();
            if (!PA_CONTEXT_IS_GOOD(state) || left <= 0 ||
                pa_mainloop_prepare(loop, static_cast<int>(left * 1000)) < 0 ||
                pa_mainloop_poll(loop) < 0 || pa_mainloop_dispatch(loop) < 0) {
                break;
            }
        }
        pa_context_disconnect(context);
    }
    if (context != nullptr) {
        pa_context_unref(context);
    }
    pa_mainloop_free(loop);
    return answered;
}

bool AudioOutputProbe::AlsaDeviceOpens() {
    snd_pcm_t* pcm = nullptr;
    if (snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) < 0) {
        return false;
    }
    snd_pcm_close(pcm);
    return true;
}

#pragma once

#include <QObject>
#include <QStringList>
#include <atomic>
#include <cstdarg>

struct libvlc_instance_t;

// The one place libVLC's messages, and the errors alsa-lib prints by itself, go through. They
// stay quiet unless asked for: with the engine option "--verbose=N" (what "[Player] EngineLog=N"
// in quilo.conf gives) or the environment variable QUILO_VLC_LOG=N, N = 1 writes the engine's
// errors and warnings to standard error, N = 2 its debug messages as well.
//
// It also listens for the engine saying that its sound output failed, which it reports (from
// libVLC's own thread: connect to it queued) as audioOutputFailed(), once after each Arm(): an
// output that fails fails again for every buffer of sound.
class EngineLog : public QObject {
    Q_OBJECT

public:
    // -1 when nothing is to be written, else the level asked for (see above).
    static int VerbosityFrom(const QStringList& engineOptions);

    EngineLog(libvlc_instance_t* instance, int verbosity, QObject* parent = nullptr);
    ~EngineLog() override;
    EngineLog(const EngineLog&) = delete;
    EngineLog& operator=(const EngineLog&) = delete;

    int Verbosity() const { return verbosity_; }
    // From now on the next failure of the sound output is reported.
    void Arm() { armed_ = true; }

signals:
    void audioOutputFailed();

private:
    static void OnMessage(void* self, int level, const struct vlc_log_t* context,
                          const char* format, va_list arguments);

    libvlc_instance_t* instance_;
    int verbosity_;
    std::atomic<bool> armed_{false};
};

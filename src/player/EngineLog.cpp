#include "player/EngineLog.h"

#include <alsa/asoundlib.h>
#include <vlc/vlc.h>

#include <QProcessEnvironment>
#include <algorithm>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// What alsa-lib may print: the highest level any engine of the process asked for.
std::atomic<int> alsaVerbosity{-1};

// One line per message, written whole so lines of different threads do not mix.
void WriteLine(const char* prefix, const char* format, va_list arguments) {
    char text[1024];
    vsnprintf(text, sizeof text, format, arguments);
    std::fprintf(stderr, "%s%s\n", prefix, text);
}

// alsa-lib reports every failed attempt to open a device on standard error, outside libVLC's
// log; without a sound device that is a stream of lines for every buffer of sound.
void OnAlsaError(const char* file, int line, const char* function, int error, const char* format,
                 ...) {
    if (alsaVerbosity.load() < 1) {
        return;
    }
    char prefix[256];
    std::snprintf(prefix, sizeof prefix, "ALSA lib %s:%d:(%s) %s%s", file, line, function,
                  error != 0 ? snd_strerror(error) : "", error != 0 ? ": " : "");
    va_list arguments;
    va_start(arguments, format);
    WriteLine(prefix, format, arguments);
    va_end(arguments);
}

int ParseLevel(const QString& text) {
    bool ok = false;
    const int level = text.toInt(&ok);
    return ok && level > 0 ? level : -1;
}

}  // namespace

int EngineLog::VerbosityFrom(const QStringList& engineOptions) {
    int verbosity = ParseLevel(qEnvironmentVariable("QUILO_VLC_LOG"));
    for (const QString& option : engineOptions) {
        if (option.startsWith(QStringLiteral("--verbose="))) {
            verbosity = std::max(verbosity, ParseLevel(option.mid(10)));
        } else if (option == QStringLiteral("--verbose")) {
            verbosity = std::max(verbosity, 1);
        } else if (option.size() > 1 && option.startsWith(u'-') &&
                   option.mid(1).count(u'v') == option.size() - 1) {
            verbosity = std::max(verbosity, static_cast<int>(option.size() - 1));  // -v, -vv
        }
    }
    return verbosity;
}

EngineLog::EngineLog(libvlc_instance_t* instance, int verbosity, QObject* parent)
    : QObject(parent), instance_(instance), verbosity_(verbosity) {
    int previous = alsaVerbosity.load();
    while (verbosity > previous && !alsaVerbosity.compare_exchange_weak(previous, verbosity)) {
    }
    snd_lib_error_set_handler(&OnAlsaError);
    libvlc_log_set(instance_, &EngineLog::OnMessage, this);
}

EngineLog::~EngineLog() {
    // returns once no message is being handled any more
    libvlc_log_unset(instance_);
}

void EngineLog::OnMessage(void* self, int level, const vlc_log_t* context, const char* format,
                          va_list arguments) {
    auto* log = static_cast<EngineLog*>(self);
    const char* module = nullptr;
    const char* objectType = nullptr;
    const char* header = nullptr;
    uintptr_t objectId = 0;
    libvlc_log_get_context(context, &module, nullptr, nullptr);
    libvlc_log_get_object(context, &objectType, &header, &objectId);
    // the engine's own verdict on its output ("main" is the engine itself), not the complaint of
    // one output module it tried on the way to another
    if (level == LIBVLC_ERROR && objectType != nullptr && module != nullptr &&
        std::strcmp(objectType, "audio output") == 0 && std::strcmp(module, "main") == 0 &&
        log->armed_.exchange(false)) {
        emit log->audioOutputFailed();
    }
    const int wanted = log->verbosity_ >= 2   ? LIBVLC_DEBUG
                       : log->verbosity_ == 1 ? LIBVLC_WARNING
                                              : LIBVLC_ERROR + 1;
    if (level < wanted) {
        return;
    }
    const char* kind = level >= LIBVLC_ERROR     ? "error"
                       : level >= LIBVLC_WARNING ? "warning"
                                                 : "debug";
    char prefix[160];
    std::snprintf(prefix, sizeof prefix, "libVLC %s %s %s: ", module != nullptr ? module : "main",
                  objectType != nullptr ? objectType : "", kind);
    va_list copy;
    va_copy(copy, arguments);
    WriteLine(prefix, format, copy);
    va_end(copy);
}

// quilo-station: the local stand-in of the broadcaster's service. See README.md beside this file.

#include "Station.h"
#include "StationOptions.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <csignal>
#include <cstdio>
#include <thread>

#include <sys/prctl.h>
#include <unistd.h>

namespace {

// The installed data folder beside the installed program, else the one of the source tree.
QString DefaultDataDir() {
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath("../share/quilo/station");
    return QDir(installed).exists() ? QDir(installed).canonicalPath()
                                    : QStringLiteral(QUILO_STATION_DATA_DIR);
}

bool AnnounceReady(const QString& readyFile) {
    if (!readyFile.isEmpty()) {
        // Written whole or not at all, so a waiting test never reads half a file; and before
        // the line on stdout, so whoever waits for either finds both.
        QSaveFile file(readyFile);
        if (!file.open(QIODevice::WriteOnly) || file.write("ready\n") != 6 || !file.commit()) {
            return false;
        }
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    return true;
}

sigset_t TerminationSignals() {
    sigset_t watched;
    sigemptyset(&watched);
    sigaddset(&watched, SIGINT);
    sigaddset(&watched, SIGTERM);
    sigaddset(&watched, SIGHUP);
    return watched;
}

}  // namespace

int main(int argc, char** argv) {
    // Blocked before any thread exists, so that every thread inherits the mask and only the
    // watcher below ever takes these signals.
    const sigset_t watched = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &watched, nullptr);
    std::signal(SIGPIPE, SIG_IGN);  // a client that hangs up mid-answer is not our end

    QCoreApplication application(argc, argv);
    QString message;
    bool help = false;
    const auto options = ParseStationOptions(application.arguments().mid(1), &message, &help);
    if (!options) {
        std::fprintf(help ? stdout : stderr, "%s\n", message.toLocal8Bit().constData());
        return help ? 0 : 2;
    }
    if (options->exitWithParent) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() == 1) {
            return 0;  // the parent is already gone
        }
    }

    Station station(*options);
    if (!station.Start(options->dataDir.isEmpty() ? DefaultDataDir() : options->dataDir,
                       &message)) {
        std::fprintf(stderr, "quilo-station: %s\n", message.toLocal8Bit().constData());
        return 1;
    }
    std::thread([&station, watched] {
        int received = 0;
        sigwait(&watched, &received);
        station.Quit();
    }).detach();
    if (!AnnounceReady(options->readyFile)) {
        std::fprintf(stderr, "quilo-station: cannot write %s\n",
                     options->readyFile.toLocal8Bit().constData());
        return 1;
    }
    station.Run();
    return 0;
}

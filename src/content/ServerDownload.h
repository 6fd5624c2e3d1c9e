#pragma once

#include <QString>
#include <QtGlobal>

class QObject;

// Fetches one file from the service's web server (or any address a server file names) into a
// local file. The GUI thread keeps running while it waits: the wait is a nested event loop with
// a deadline, so windows repaint and timers fire, and nothing spins.
//
// The bytes go to a temporary file beside the target and replace the target only when the
// whole answer came in with a success status (HTTP 2xx), redirects followed as a browser's
// download would. A failed or late download writes nothing: no temporary stays behind and the
// target is left as it was (callers delete an old copy first, so that none can pass for the new
// one). Downloaded files are readable by their owner alone.
class ServerDownload {
public:
    // Long enough for a whole setup package on a slow line; a server that stops sending for
    // kStallLimitMs is given up on before that.
    static constexpr int kGenerousLimitMs = 10 * 60 * 1000;
    static constexpr int kStallLimitMs = 30 * 1000;

    // The most each kind of file may hold: the service's text files (program table, program
    // info, event, ticker, update info), the pictures it names, and a setup package.
    static constexpr qint64 kServerTextMaxBytes = 256 * 1024;
    static constexpr qint64 kImageMaxBytes = 4 * 1024 * 1024;
    static constexpr qint64 kPackageMaxBytes = 64 * 1024 * 1024;

    // True when `localPath` now holds the file at `address`, false otherwise (no server, an
    // error status, a write error, more than `maxBytes` announced or sent, or `limitMs`
    // passed). An empty `localPath` always fails.
    // When `owner` is given and destroyed during the wait, the download is given up at once,
    // so an owner that goes away never keeps a wait of its own running.
    static bool Fetch(const QString& address, const QString& localPath, qint64 maxBytes,
                      int limitMs = kGenerousLimitMs, const QObject* owner = nullptr);
};

#pragma once

#include <QString>
#include <QtGlobal>

#include <functional>

class QObject;

// Fetches one file from the service's web server (or any http or https address a server file
// names) into a local file. It starts at once and tells its caller, from the event loop, whether
// the file came; nothing waits for it.
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

    // done(true) once `localPath` holds the file at `address`, done(false) otherwise (not an
    // http or https address, no server, an error status, a write error, more than `maxBytes`
    // announced or sent, or `limitMs` passed); always later, from the event loop. An empty
    // `localPath` always fails. The download belongs to `receiver`: when the receiver goes, the
    // download is given up at once and done is never called.
    using Done = std::function<void(bool fetched)>;
    static void Fetch(const QString& address, const QString& localPath, qint64 maxBytes,
                      QObject* receiver, Done done, int limitMs = kGenerousLimitMs);
};

#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// How the station is told what to be: by command-line options only (it is a tool).
struct StationOptions {
    QString bind = QStringLiteral("127.0.0.1");
    int webPort = 8081;
    int mainPort = 8082;
    int ssoPort = 8083;
    int streamPort = 8080;
    int controlPort = 8089;
    QString dataDir;       // empty: the installed or built-in data folder
    QString usersFile;     // empty: users.txt of the data folder
    QDateTime clockStart;  // invalid: the real current time
    double clockRate = 1.0;
    bool streams = true;
    QString readyFile;
    QString updateVersion = QStringLiteral("2.01");
    QString updateFile;  // empty: the update info names the data folder's setup program
    bool exitWithParent = false;
    bool verbose = false;
};

// Reads the command line (without the program name). Returns nothing and fills *message with
// the reason or the help text; *helpRequested tells which.
std::optional<StationOptions> ParseStationOptions(const QStringList& arguments, QString* message,
                                                  bool* helpRequested);

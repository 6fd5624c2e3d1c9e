#pragma once

#include <QString>
#include <QStringList>

// Where the service lives: the addresses of its web server, the broadcaster's main and
// single-sign-on sites and the stream server, and extra options for the media engine. Read from
// "quilo.conf" (section [Service], and [Player] VlcArgs and EngineLog); every value not given
// keeps its default, which points at the local station so the program runs out of the box.
class Config {
public:
    // Looks for quilo.conf in $QUILO_CONF, then the program's folder, then
    // $XDG_CONFIG_HOME/quilo/; the first file found is used.
    static Config Load();
    static Config FromText(const QByteArray& iniText);

    QString webServer = QStringLiteral("http://127.0.0.1:8081");
    QString mainSite = QStringLiteral("http://127.0.0.1:8082");
    QString ssoSite = QStringLiteral("http://127.0.0.1:8083");
    QString streamServer = QStringLiteral("127.0.0.1");
    QString domain = QStringLiteral("127.0.0.1");
    // [Service] LoginLimitMs: how long a log-in waits for the site's decision
    int loginLimitMs = 40000;
    // extra libVLC options, separated by blanks (tests send the audio to a WAV file with them)
    QStringList vlcArgs;
    // [Player] EngineLog: what the media engine may write to standard error: 0 nothing (the
    // default), 1 its errors and warnings, 2 its debug messages as well. Given to the engine as
    // its own "--verbose=N" at the end of vlcArgs.
    int engineLog = 0;
    // the file the values came from; empty when every value is a default
    QString sourceFile;
};

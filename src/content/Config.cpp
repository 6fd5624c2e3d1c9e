#include "content/Config.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>

#include "platform/IniSection.h"

namespace {

QStringList CandidateFiles() {
    QStringList files;
    const QString fromEnvironment = qEnvironmentVariable("QUILO_CONF");
    if (!fromEnvironment.isEmpty()) {
        files << fromEnvironment;
    }
    files << QCoreApplication::applicationDirPath() + QStringLiteral("/quilo.conf");
    files << QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                 QStringLiteral("/quilo/quilo.conf");
    return files;
}

void ReadInto(const QByteArray& text, const char* section, const char* key, QString& value) {
    QString found;
    if (IniSection::Find(text, QString::fromLatin1(section), QString::fromLatin1(key), found) &&
        !found.isEmpty()) {
        value = found;
    }
}

}  // namespace

Config Config::FromText(const QByteArray& iniText) {
    Config config;
    ReadInto(iniText, "Service", "WebServer", config.webServer);
    ReadInto(iniText, "Service", "MainSite", config.mainSite);
    ReadInto(iniText, "Service", "SsoSite", config.ssoSite);
    ReadInto(iniText, "Service", "StreamServer", config.streamServer);
    ReadInto(iniText, "Service", "Domain", config.domain);
    QString loginLimit;
    ReadInto(iniText, "Service", "LoginLimitMs", loginLimit);
    if (loginLimit.trimmed().toInt() > 0) {
        config.loginLimitMs = loginLimit.trimmed().toInt();
    }
    QString vlcArgs;
    ReadInto(iniText, "Player", "VlcArgs", vlcArgs);
    config.vlcArgs = vlcArgs.split(u' ', Qt::SkipEmptyParts);
    QString engineLog;
    ReadInto(iniText, "Player", "EngineLog", engineLog);
    config.engineLog = std::clamp(engineLog.trimmed().toInt(), 0, 2);
    if (config.engineLog > 0) {
        config.vlcArgs << QStringLiteral("--verbose=%1").arg(config.engineLog);
    }
    return config;
}

Config Config::Load() {
    for (const QString& path : CandidateFiles()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            Config config = FromText(file.readAll());
            config.sourceFile = path;
            return config;
        }
    }
    return Config();
}

#include "StationOptions.h"

#include "SimulatedClock.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

struct PortOption {
    const char* name;
    int StationOptions::*field;
};

constexpr PortOption kPorts[] = {
    {"web-port", &StationOptions::webPort},         {"main-port", &StationOptions::mainPort},
    {"sso-port", &StationOptions::ssoPort},         {"stream-port", &StationOptions::streamPort},
    {"control-port", &StationOptions::controlPort},
};

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "quilo-station: the local stand-in of the ZELK Internet Radio service (web server, main "
        "and single-sign-on sites, MMS-over-HTTP streams) on a loopback address."));
    parser.addHelpOption();
    parser.addOptions({
        {"bind", "Loopback address to serve on (127.x.y.z).", "address", "127.0.0.1"},
        {"web-port", "Port of the service's web server.", "port", "8081"},
        {"main-port", "Port of the broadcaster's main site.", "port", "8082"},
        {"sso-port", "Port of the single-sign-on site.", "port", "8083"},
        {"stream-port", "Port of the MMS-over-HTTP streams.", "port", "8080"},
        {"control-port", "Port of the control interface alone.", "port", "8089"},
        {"data", "Data folder (schedule, server files, images, pages).", "folder"},
        {"users", "Users file: ID<TAB>password<TAB>display name per line.", "file"},
        {"clock-start", "Start the clock at this service (GMT+9) time.", "YYYY-MM-DDTHH:MM:SS"},
        {"clock-rate", "Simulated seconds per real second.", "rate", "1"},
        {"no-streams", "Serve the web sites only; no libVLC."},
        {"ready-file", "Write \"ready\" into this file once serving.", "path"},
        {"update-version", "Version the update info announces.", "version", "2.01"},
        {"update-file", "Serve this file as the release the update info names.", "path"},
        {"exit-with-parent", "End when the process that started the station ends."},
        {"verbose", "Log every request and libVLC's warnings."},
    });
}

bool ReadPorts(const QCommandLineParser& parser, StationOptions& options, QString* message) {
    for (const PortOption& port : kPorts) {
        bool ok = false;
        const int value = parser.value(port.name).toInt(&ok);
        if (!ok || value < 1 || value > 65535) {
            *message = QStringLiteral("--%1 takes a port number").arg(port.name);
            return false;
        }
        options.*port.field = value;
    }
    return true;
}

bool IsLoopback(const QString& address) {
    static const QRegularExpression kLoopback(
        QStringLiteral("^127\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const auto match = kLoopback.match(address);
    if (!match.hasMatch()) {
        return false;
    }
    for (int i = 1; i <= 3; ++i) {
        if (match.captured(i).toInt() > 255) {
            return false;
        }
    }
    return true;
}

bool ReadClock(const QCommandLineParser& parser, StationOptions& options, QString* message) {
    if (parser.isSet("clock-start")) {
        options.clockStart = SimulatedClock::ParseServiceTime(parser.value("clock-start"));
        if (!options.clockStart.isValid()) {
            *message = QStringLiteral("--clock-start takes YYYY-MM-DDTHH:MM:SS");
            return false;
        }
    }
    bool ok = false;
    options.clockRate = parser.value("clock-rate").toDouble(&ok);
    if (!ok || options.clockRate < 0) {
        *message = QStringLiteral("--clock-rate takes a number, 0 or more");
        return false;
    }
    return true;
}

}  // namespace

std::optional<StationOptions> ParseStationOptions(const QStringList& arguments, QString* message,
                                                  bool* helpRequested) {
    QCommandLineParser parser;
    AddOptions(parser);
    *helpRequested = false;
    if (!parser.parse(QStringList{QStringLiteral("quilo-station")} + arguments)) {
        *message = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet("help")) {
        *helpRequested = true;
        *message = parser.helpText();
        return std::nullopt;
    }
    StationOptions options;
    options.bind = parser.value("bind");
    if (!IsLoopback(options.bind)) {
        *message = QStringLiteral(
            "--bind takes a loopback address 127.x.y.z: the station serves "
            "this machine only");
        return std::nullopt;
    }
    if (!ReadPorts(parser, options, message) || !ReadClock(parser, options, message)) {
        return std::nullopt;
    }
    options.dataDir = parser.value("data");
    options.usersFile = parser.value("users");
    options.streams = !parser.isSet("no-streams");
    options.readyFile = parser.value("ready-file");
    options.updateVersion = parser.value("update-version");
    options.updateFile = parser.value("update-file");
    options.exitWithParent = parser.isSet("exit-with-parent");
    options.verbose = parser.isSet("verbose");
    return options;
}

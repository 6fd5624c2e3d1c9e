#include "ControlRoutes.h"

#include "FaultSwitches.h"
#include "FormFields.h"
#include "MessageBoard.h"
#include "RequestRecord.h"
#include "ServiceOverrides.h"
#include "SimulatedClock.h"
#include "StationContext.h"
#include "StreamServer.h"

#include <httplib.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

// "web", "main", "sso" or "all" (also when missing) -> the sites meant; empty when unknown.
QList<Site> SitesNamed(const QByteArray& which) {
    if (which.isEmpty() || which == "all") {
        return {kAllSites.begin(), kAllSites.end()};
    }
    for (Site site : kAllSites) {
        if (SiteName(site).toLatin1() == which) {
            return {site};
        }
    }
    return {};
}

void Answer(httplib::Response& response, const QString& error) {
    response.status = error.isEmpty() ? 200 : 400;
    const QByteArray text =
        error.isEmpty() ? QByteArray("OK\n") : "ERROR: " + error.toUtf8() + '\n';
    response.set_content(text.toStdString(), "text/plain; charset=utf-8");
}

void AnswerJson(httplib::Response& response, const QByteArray& json) {
    response.set_content(json.toStdString(), "application/json");
}

bool IsTwelveDigits(const QByteArray& text) {
    static const QRegularExpression kDigits(QStringLiteral("^\\d{12}$"));
    return kDigits.match(QString::fromLatin1(text)).hasMatch();
}

}  // namespace

void ControlRoutes::Install(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    const auto both = [&server](const std::string& path, httplib::Server::Handler handler) {
        server.Get(path, handler);
        server.Post(path, handler);
    };
    both("/_station/fault", [this](const Request& q, Response& r) { Answer(r, Fault(q)); });
    both("/_station/clock", [this](const Request& q, Response& r) { Answer(r, Clock(q)); });
    both("/_station/ticker", [this](const Request& q, Response& r) { Answer(r, Ticker(q)); });
    both("/_station/update", [this](const Request& q, Response& r) { Answer(r, Update(q)); });
    both("/_station/status", [this](const Request&, Response& r) { AnswerJson(r, Status()); });
    both("/_station/requests",
         [this](const Request& q, Response& r) { AnswerJson(r, Requests(q)); });
    both("/_station/messages", [this](const Request&, Response& r) { AnswerJson(r, Messages()); });
}

QString ControlRoutes::Fault(const httplib::Request& request) {
    const QByteArray name = FormField(request, "name");
    if (name == "refuse") {
        return Refuse(FormField(request, "site"));
    }
    if (name == "delay") {
        return Delay(request);
    }
    if (name == "stream-stop" || name == "stream-start") {
        return Streams(FormField(request, "stream"), name == "stream-start");
    }
    if (name == "tone") {
        return Tone(request);
    }
    if (name == "clear") {
        return ClearAll();
    }
    return Switch(name, request);
}

QString ControlRoutes::Switch(const QByteArray& name, const httplib::Request& request) {
    FaultSwitches& faults = context_.faults;
    if (name == "no-date") {
        faults.SetNoDate(true);
    } else if (name == "garble") {
        faults.SetGarble(true);
    } else if (name == "board") {
        // The board's body as given, even an empty one; "1" (an answer the client does not
        // know) when none is given.
        faults.SetBoardAnswer(request.has_param("answer") ? FormField(request, "answer") : "1");
    } else if (name == "reject-logins") {
        faults.SetRejectLogins(true);
    } else {
        return QStringLiteral("unknown fault \"%1\"").arg(QString::fromLatin1(name));
    }
    return {};
}

QString ControlRoutes::Delay(const httplib::Request& request) {
    bool ok = false;
    const int ms = FormField(request, "ms").toInt(&ok);
    const QList<Site> sites = SitesNamed(FormField(request, "site"));
    if (!ok || ms < 0 || sites.isEmpty()) {
        return QStringLiteral(
            "delay needs ms=<milliseconds> and an optional site=web|main|sso|all");
    }
    for (Site site : sites) {
        context_.faults.SetDelay(site, ms);
    }
    return {};
}

QString ControlRoutes::ClearAll() {
    QString error = ReopenSites();
    context_.faults.Clear();
    context_.overrides.Clear();
    if (error.isEmpty() && context_.streams) {
        for (StreamServer::Channel channel :
             {StreamServer::Channel::Fm, StreamServer::Channel::Vfm}) {
            context_.streams->SetTone(channel, StreamServer::ToneHz(channel));
        }
        error = Streams("all", true);
    }
    return error;
}

// A tone that changes marks a moment in the stream: what a client plays later shows how far
// behind the station it is.
QString ControlRoutes::Tone(const httplib::Request& request) {
    if (!context_.streams) {
        return QStringLiteral("the station runs without streams");
    }
    constexpr int kLowestHz = 100;
    constexpr int kHighestHz = 15000;
    bool ok = false;
    const int hz = FormField(request, "hz").toInt(&ok);
    const QByteArray which = FormField(request, "stream");
    if (!ok || hz < kLowestHz || hz > kHighestHz || (which != "fm" && which != "vfm")) {
        return QStringLiteral("tone needs hz=%1..%2 and stream=fm|vfm")
            .arg(kLowestHz)
            .arg(kHighestHz);
    }
    context_.streams->SetTone(
        which == "fm" ? StreamServer::Channel::Fm : StreamServer::Channel::Vfm, hz);
    return {};
}

QString ControlRoutes::Refuse(const QByteArray& which) {
    const QList<Site> sites = SitesNamed(which);
    if (sites.isEmpty()) {
        return QStringLiteral("refuse takes site=web|main|sso|all");
    }
    QString error;
    for (Site site : sites) {
        if (!context_.setRefused(site, true, &error)) {
            return error;
        }
    }
    return {};
}

QString ControlRoutes::ReopenSites() {
    QString error;
    for (Site site : kAllSites) {
        if (context_.faults.Refused(site) && !context_.setRefused(site, false, &error)) {
            return error;
        }
    }
    return {};
}

QString ControlRoutes::Streams(const QByteArray& which, bool run) {
    if (!context_.streams) {
        return QStringLiteral("the station runs without streams");
    }
    const bool all = which.isEmpty() || which == "all";
    if (!all && which != "fm" && which != "vfm") {
        return QStringLiteral("stream= takes fm, vfm or all");
    }
    QString error;
    for (StreamServer::Channel channel : {StreamServer::Channel::Fm, StreamServer::Channel::Vfm}) {
        const bool meant = all || StreamServer::ChannelName(channel).toLatin1() == which;
        if (meant && !context_.streams->SetRunning(channel, run, &error)) {
            return error;
        }
    }
    return {};
}

QString ControlRoutes::Clock(const httplib::Request& request) {
    const QByteArray set = FormField(request, "set");
    const QByteArray rateText = FormField(request, "rate");
    bool ok = true;
    const double rate = rateText.isEmpty() ? context_.clock.Rate() : rateText.toDouble(&ok);
    if (!ok || rate < 0) {
        return QStringLiteral("rate= takes a number of simulated seconds per second, 0 or more");
    }
    if (set.isEmpty()) {
        context_.clock.SetRate(rate);
        return {};
    }
    const QDateTime time = SimulatedClock::ParseServiceTime(QString::fromLatin1(set));
    if (!time.isValid()) {
        return QStringLiteral("set= takes the service's wall-clock time as YYYY-MM-DDTHH:MM:SS");
    }
    context_.clock.Set(time, rate);
    return {};
}

QString ControlRoutes::Ticker(const httplib::Request& request) {
    if (!FormField(request, "clear").isEmpty()) {
        context_.overrides.SetTickerWindow(std::nullopt);
        return {};
    }
    const QByteArray start = FormField(request, "st");
    const QByteArray end = FormField(request, "et");
    if (!IsTwelveDigits(start) || !IsTwelveDigits(end)) {
        return QStringLiteral("ticker takes st= and et= as YYYYMMDDhhmm, or clear=1");
    }
    context_.overrides.SetTickerWindow(
        ServiceOverrides::TickerWindow{QString::fromLatin1(start), QString::fromLatin1(end)});
    return {};
}

QString ControlRoutes::Update(const httplib::Request& request) {
    const QByteArray version = FormField(request, "ver");
    const QString file = QString::fromUtf8(FormField(request, "file"));
    if (version.isEmpty() || file.contains(QLatin1Char('/'))) {
        return QStringLiteral(
            "update takes ver=<version text>, an optional msg=<UTF-8 text>, an optional "
            "file=<name under /download/> and an optional sha256=<checksum to announce>");
    }
    // without a file the release stays the one announced so far
    const QString announced = file.isEmpty() ? context_.overrides.CurrentUpdate().file : file;
    context_.overrides.SetUpdate({QString::fromUtf8(version),
                                  QString::fromUtf8(FormField(request, "msg")), announced,
                                  QString::fromLatin1(FormField(request, "sha256"))});
    return {};
}

QByteArray ControlRoutes::Status() const {
    QJsonObject sites;
    for (Site site : kAllSites) {
        sites[SiteName(site)] = !context_.faults.Refused(site);
    }
    const QJsonObject status{
        {"service_time", context_.clock.NowService().toString(Qt::ISODate)},
        {"utc_time", context_.clock.NowUtc().toString(Qt::ISODate)},
        {"clock_rate", context_.clock.Rate()},
        {"addresses", QJsonObject{{"web", context_.addresses.web},
                                  {"main", context_.addresses.main},
                                  {"sso", context_.addresses.sso}}},
        {"sites_listening", sites},
        {"faults", context_.faults.ToJson()},
        {"streams", context_.streams ? context_.streams->Status() : QJsonObject()},
    };
    return QJsonDocument(status).toJson();
}

QByteArray ControlRoutes::Requests(const httplib::Request& request) {
    const QJsonArray entries =
        context_.record.ToJson(QString::fromLatin1(FormField(request, "site")));
    if (!FormField(request, "clear").isEmpty()) {
        context_.record.Clear();
    }
    return QJsonDocument(entries).toJson();
}

QByteArray ControlRoutes::Messages() const {
    QJsonArray messages;
    for (const auto& message : context_.board.Messages()) {
        messages.append(QJsonObject{{"time", message.received.toString(Qt::ISODate)},
                                    {"progcd", message.programCode},
                                    {"userid", message.userId},
                                    {"writer", message.writer},
                                    {"contents", message.contents}});
    }
    return QJsonDocument(messages).toJson();
}

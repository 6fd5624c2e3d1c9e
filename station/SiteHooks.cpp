#include "SiteHooks.h"

#include "FaultSwitches.h"
#include "RequestRecord.h"
#include "Responses.h"
#include "SimulatedClock.h"
#include "StationContext.h"

#include <httplib.h>

#include <QLocale>

#include <cstdio>

namespace {

bool IsControl(const httplib::Request& request) {
    return request.path.starts_with(kControlPrefix);
}

RequestRecord::Entry MakeEntry(const httplib::Request& request, Site site,
                               const SimulatedClock& clock) {
    RequestRecord::Entry entry;
    entry.site = site;
    entry.receivedUtc = clock.NowUtc();
    entry.method = QByteArray::fromStdString(request.method);
    const QByteArray target = QByteArray::fromStdString(request.target);
    const qsizetype question = target.indexOf('?');
    entry.path = question < 0 ? target : target.left(question);
    entry.query = question < 0 ? QByteArray() : target.mid(question + 1);
    entry.body = QByteArray::fromStdString(request.body);
    for (const auto& [name, value] : request.headers) {
        entry.headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
    }
    return entry;
}

// "Sun, 01 Jul 2007 00:00:00 GMT": the RFC 1123 form of the Date: header, in English whatever
// the machine's language, and always 29 characters.
std::string HttpDate(const QDateTime& instant) {
    return QLocale::c()
        .toString(instant.toUTC(), QStringLiteral("ddd, dd MMM yyyy HH:mm:ss 'GMT'"))
        .toStdString();
}

// A garbled text arrives cut short with every bracket broken, so no key, tag or value of a
// server file can be found in it any more.
void Garble(httplib::Response& response) {
    const auto type = response.get_header_value("Content-Type");
    if (!type.starts_with("text/")) {
        return;
    }
    std::string body = response.body.substr(0, response.body.size() / 2);
    for (char& c : body) {
        if (c == '[' || c == '<') {
            c = '{';
        }
    }
    response.body = body;
    response.headers.erase("Content-Length");
    response.set_header("Content-Length", std::to_string(body.size()));
}

}  // namespace

void InstallSiteHooks(httplib::Server& server, Site site, StationContext& context) {
    const httplib::Server::HandlerWithResponse notFound = [](const httplib::Request& request,
                                                             httplib::Response& response) {
        if (!response.body.empty() || IsControl(request)) {
            return httplib::Server::HandlerResponse::Unhandled;
        }
        Responses::NotFound(response);
        return httplib::Server::HandlerResponse::Handled;
    };
    server.set_error_handler(notFound);
    server.set_post_routing_handler(
        [site, &context](const httplib::Request& request, httplib::Response& response) {
            Responses::FinishContentType(response);
            if (IsControl(request)) {
                return;
            }
            context.record.Add(MakeEntry(request, site, context.clock));
            context.faults.WaitOutDelay(site);
            if (context.faults.Garble()) {
                Garble(response);
            }
            if (!context.faults.NoDate()) {
                response.set_header("Date", HttpDate(context.clock.NowUtc()));
            }
            if (context.verbose) {
                std::fprintf(stderr, "quilo-station: %s %s %s -> %d\n",
                             SiteName(site).toLatin1().constData(), request.method.c_str(),
                             request.target.c_str(), response.status);
            }
        });
}

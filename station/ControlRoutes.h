#pragma once

#include <QByteArray>
#include <QString>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib
struct StationContext;

// The station's control interface, below /_station/ (a prefix no client path uses). It lets a
// test switch faults, move the clock, change content and read what the sites received. Every
// answer is "OK" plus a line end, a JSON document, or a 400 with "ERROR: <reason>".
class ControlRoutes {
public:
    explicit ControlRoutes(StationContext& context) : context_(context) {}

    void Install(httplib::Server& server);

private:
    QString Fault(const httplib::Request& request);
    QString Switch(const QByteArray& name, const httplib::Request& request);
    QString Delay(const httplib::Request& request);
    QString ClearAll();
    QString Clock(const httplib::Request& request);
    QString Ticker(const httplib::Request& request);
    QString Update(const httplib::Request& request);
    QString Streams(const QByteArray& which, bool run);
    QString Tone(const httplib::Request& request);
    QString Refuse(const QByteArray& which);
    QString ReopenSites();
    QByteArray Status() const;
    QByteArray Requests(const httplib::Request& request);
    QByteArray Messages() const;

    StationContext& context_;
};

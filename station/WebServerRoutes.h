#pragma once

#include <QString>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib
struct StationContext;

// The service's web server: the program table, the server text files and their images, the
// setup program, the message board, the home page and the log-in's return page.
class WebServerRoutes {
public:
    explicit WebServerRoutes(StationContext& context) : context_(context) {}

    void Install(httplib::Server& server);

private:
    void ProgramTable(httplib::Response& response) const;
    void InfoText(const QString& name, httplib::Response& response) const;
    void Board(const httplib::Request& request, httplib::Response& response) const;
    void BoardList(const httplib::Request& request, httplib::Response& response) const;
    void Page(const QString& name, httplib::Response& response) const;

    QString FillAddresses(const QString& text) const;
    QString TickerText() const;
    QString UpdateText() const;

    StationContext& context_;
};

#pragma once

#include <QString>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib
struct StationContext;

// The broadcaster's main site: its home page, today's radio schedule, the member-join page,
// the program and event pages the server files link to, and the character page that takes the
// listener's identity as form data.
class MainSiteRoutes {
public:
    explicit MainSiteRoutes(StationContext& context) : context_(context) {}

    void Install(httplib::Server& server);

private:
    void Schedule(httplib::Response& response) const;
    void ProgramPage(const QString& code, bool board, httplib::Response& response) const;
    void Character(const httplib::Request& request, httplib::Response& response) const;
    void Page(const QString& name, httplib::Response& response) const;

    StationContext& context_;
};

#pragma once

#include <QString>

namespace httplib {
class Server;
struct Response;
}  // namespace httplib
struct StationContext;

// The broadcaster's single-sign-on site: its member pages (the ID/password finder). Its part in
// the log-in is LoginFlow's.
class SsoSiteRoutes {
public:
    explicit SsoSiteRoutes(StationContext& context) : context_(context) {}

    void Install(httplib::Server& server);

private:
    void Page(const QString& name, httplib::Response& response) const;

    StationContext& context_;
};

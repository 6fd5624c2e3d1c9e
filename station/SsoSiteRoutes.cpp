#include "SsoSiteRoutes.h"

#include "Responses.h"
#include "ServiceData.h"
#include "StationContext.h"
#include "Template.h"

#include <httplib.h>

void SsoSiteRoutes::Install(httplib::Server& server) {
    using httplib::Request;
    using httplib::Response;
    server.Get("/", [this](const Request&, Response& r) { Page("sso", r); });
    server.Get("/commonMember/id_find.jsp",
               [this](const Request&, Response& r) { Page("id_find", r); });
}

void SsoSiteRoutes::Page(const QString& name, httplib::Response& response) const {
    Responses::Text(response,
                    FillTemplate(context_.data.Page(name), {{"WEB", context_.addresses.web},
                                                            {"MAIN", context_.addresses.main},
                                                            {"SSO", context_.addresses.sso}}),
                    Responses::kHtml);
}

#pragma once

#include "Site.h"

namespace httplib {
class Server;
}
struct StationContext;

// What every answer of a site goes through, whatever the page: the request is recorded, the
// switched-on faults are applied (delay, garbled text, no Date: header) and the Date: header is
// set from the station's clock. Requests to the control interface pass untouched.
void InstallSiteHooks(httplib::Server& server, Site site, StationContext& context);

// Paths below this prefix belong to the control interface, never to the service.
inline constexpr const char* kControlPrefix = "/_station/";

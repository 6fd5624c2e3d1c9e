#pragma once

#include <QString>

// The base addresses the identity-bearing requests go to, without a trailing "/".
struct WebAddresses {
    // the service's web server: ticker file, message board, the log-in's return page
    QString webServer;
    // the broadcaster's main site: the log-in page
    QString mainSite;
};

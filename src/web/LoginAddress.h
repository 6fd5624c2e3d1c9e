#pragma once

#include <QString>

#include "web/WebAddresses.h"

// The main site's log-in page with the listener's ID and password in the query, every byte of
// both percent-encoded in the Korean code page. The return page is the web server's empty page,
// written as it stands (not encoded). The same address opens pages with the listener logged in.
QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password);

// The same log-in, leading the browser on to returnAddress (percent-encoded as a query value, so
// an address with its own query survives) instead of the empty page.
QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password, const QString& returnAddress);

#pragma once

#include <QString>

#include "web/WebAddresses.h"

// The main site's log-in page with the listener's ID and password in the query, every byte of
// both percent-encoded in the Korean code page. The return page is the web server's empty page,
// written as it stands (not encoded). The same address opens pages with the listener logged in.
QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password);

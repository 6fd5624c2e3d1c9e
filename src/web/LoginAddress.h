#pragma once

#include <QByteArray>
#include <QString>

#include "web/WebAddresses.h"

// The main site's log-in page with the listener's ID and password in the query, every byte of
// both percent-encoded in the Korean code page. The return page is the web server's empty page,
// written as it stands (not encoded). The program's own log-in request goes to this address.
QString BuildLoginAddress(const WebAddresses& addresses, const QString& userId,
                          const QString& password);

// The log-in page alone, for a form that posts LoginFormFields to it.
QString LoginPageAddress(const WebAddresses& addresses);

// The same fields as the address's query, leading the browser on to returnAddress
// (percent-encoded as a value, so an address with its own query survives) instead of the empty
// page.
QByteArray LoginFormFields(const QString& userId, const QString& password,
                           const QString& returnAddress);

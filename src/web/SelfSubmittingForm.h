#pragma once

#include <QByteArray>
#include <QString>

// An HTML page whose form posts postData's fields ("name=value&...", values percent-encoded bytes
// of the Korean code page) to action as soon as it loads, so that the values reach the site in a
// request body, never in an address the browser shows or keeps in its history. Empty when action
// is no http or https address: a "javascript:" action would run in the page instead.
QByteArray SelfSubmittingForm(const QString& action, const QByteArray& postData);

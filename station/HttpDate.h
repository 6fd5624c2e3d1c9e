#pragma once

#include <QByteArray>
#include <QDateTime>

// "Sun, 01 Jul 2007 00:00:00 GMT": the RFC 1123 form of the Date: header, always in English and
// always 29 characters, so that "Date: " plus the value is exactly 35 characters.
QByteArray FormatHttpDate(const QDateTime& instant);

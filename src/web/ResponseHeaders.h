#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <ctime>

// Readers of the two header values the service's answers carry for the program.

// The listener's display name from the log-in cookie, given the cookie text that begins with
// "USER%5FNAME=": from the fourteenth character on, every hexadecimal digit is taken in pairs
// (high half, then low half) and everything else is passed over. The bytes are Korean code page
// text.
QByteArray DecodeHexName(QByteArrayView cookieText);

// The 35 characters "Date: Www, DD Mon YYYY hh:mm:ss GMT" read by fixed positions and moved to
// the service's local time (GMT + 9 hours), rolling the day, weekday, month and year over where
// the nine hours cross midnight. A weekday or month name that is not recognised leaves that
// field as it stands in previous.
std::tm ParseDateHeader(QByteArrayView dateText, std::tm previous);

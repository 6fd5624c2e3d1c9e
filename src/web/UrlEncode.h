#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Every byte as two upper-case hexadecimal digits, letters and digits included, each preceded by
// "%" when percent is set: "ab" becomes "%61%62" (or "6162"). Callers pass Korean code page
// bytes, so a Korean character becomes two escapes.
QByteArray UrlEncode(QByteArrayView bytes, bool percent);

#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// Query strings and form bodies as a classic web server reads them: every value is raw bytes
// (code page 949 for Korean text) after %XX escapes are undone and '+' becomes a blank.
namespace PercentCoding {

using Fields = QList<QPair<QByteArray, QByteArray>>;

QByteArray Decode(QByteArrayView text);
// Every byte as %XX with upper-case digits, letters and digits included; this is how the site
// writes values into cookies, so a reader can take the name back byte by byte.
QByteArray EncodeEveryByte(QByteArrayView bytes);
// Escapes only what cannot stand in a query value.
QByteArray EncodeQueryValue(QByteArrayView bytes);
// "a=1&b=%41" -> (a, 1), (b, A), in order; a name without '=' gets an empty value.
Fields ParseFields(QByteArrayView text);
// The first value of that name, or an empty array when the name is missing.
QByteArray Value(const Fields& fields, QByteArrayView name);

}  // namespace PercentCoding

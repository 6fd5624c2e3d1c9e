#pragma once

#include <QByteArray>
#include <QString>

// Everything the service sends as text travels in the Korean code page of Windows (code page
// 949: KS X 1001 plus the extended Hangul syllables) with CR LF line ends. The station keeps its
// data as UTF-8 with plain line feeds and converts at the moment it answers.
namespace WireText {

// UTF-8 text -> code page 949 bytes, every line end turned into CR LF.
QByteArray Encode(QStringView text);
// Code page 949 bytes -> text (undecodable bytes become U+FFFD).
QString Decode(QByteArrayView bytes);
// Whether the text survives the trip to code page 949 without a substituted character.
bool IsEncodable(QStringView text);

}  // namespace WireText

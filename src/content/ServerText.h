#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Reading the service's text files: 8-bit Korean code page, CR LF line ends, each value on the
// lines under its bracketed key:
//
//   [VER]
//   2.01
//   [URL]
//   http://...
//
// Every value of every server file is taken out through GetSectionValue, so all of them follow
// the same rule.

// The file's bytes up to its first zero byte (a zero ends the text). A null array when the file
// cannot be read, an empty non-null one for an empty file.
QByteArray ReadWholeFile(const QString& path);

// The value of `key` (brackets included, e.g. "[VER]"): the text from the line after the key's
// first occurrence up to, not including, the first `terminator` at or after the key's second
// byte. Usually the terminator is "\r\n[" (the next key), so a value ends at the first of its
// lines that begins with "["; values that may hold such lines name the following key instead.
// The key is matched case-sensitively and never from the second byte of a double-byte
// character. Empty when the key or the terminator is missing. Taken as it stands: no trimming.
QByteArray GetSectionValue(QByteArrayView text, QByteArrayView key, QByteArrayView terminator);

// The single character on the line after `key` (a one-letter switch such as "Y"); '\0' when the
// key is missing or nothing follows it.
char GetSectionFlag(QByteArrayView text, QByteArrayView key);

#pragma once

#include <QByteArray>
#include <QString>

// Reading and updating one "key=value" entry in a section of an INI text (UTF-8). Lines that
// begin with ";" or "#" are comments; blanks around keys and values do not count; keys compare
// case-sensitively. Everything else in the text is kept as it stands when a value is replaced.
// A value whose own first or last character is a blank, or that begins with a double quote, is
// written between double quotes, so that it reads back exactly (a password may begin with a
// blank); a value read between double quotes loses them.
namespace IniSection {

// True and the value when the section holds the key.
bool Find(const QByteArray& text, const QString& section, const QString& key, QString& value);

// The text with the key set to the value: replaced in place, added at the end of its section,
// or added with a new section at the end of the text. Line breaks in the value become blanks.
QByteArray Replace(const QByteArray& text, const QString& section, const QString& key,
                   const QString& value);

// The text without the key's entries in the section; the text as it is when there are none.
QByteArray Remove(const QByteArray& text, const QString& section, const QString& key);

}  // namespace IniSection

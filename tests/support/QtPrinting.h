#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Lets test failures show Qt strings as text instead of bytes.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << '"' << text.toStdString() << '"';
}

inline std::ostream& operator<<(std::ostream& out, const QStringList& texts) {
    out << '[';
    for (const QString& text : texts) {
        out << text << ' ';
    }
    return out << ']';
}

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text;
}
inline void PrintTo(const QStringList& texts, std::ostream* out) {
    *out << texts;
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toStdString() << "\" (" << bytes.toHex().toStdString() << ')';
}

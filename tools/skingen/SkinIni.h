#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The text of "skininfo.ini": one entry per line, "[KEY]=n1,n2,...", CR LF line ends. The player
// reads a number up to the comma or carriage return and counts every byte as a digit place, so
// numbers are written bare, nothing after the last digit.
class SkinIni {
public:
    void Comment(const QString& text);
    // False, and nothing written, when the key is there already: the player reads only a key's
    // first occurrence, so a second one would be silently ignored.
    bool Add(const QByteArray& key, const std::vector<int>& values);
    QByteArray Bytes() const;

private:
    QByteArray text_;
    std::vector<QByteArray> keys_;
};

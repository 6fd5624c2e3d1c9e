#include "content/ServerText.h"

#include <QFile>

namespace {

// The key's line ending, CR LF, passed over before a value begins.
constexpr qsizetype kLineEnd = 2;

// In the Korean code page a byte from 0x81 to 0xFE opens a two-byte character: the byte after
// it belongs to that character even when it looks like "[" or a letter.
bool IsLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// The first position where `key` starts on a character boundary, or -1.
qsizetype FindKey(QByteArrayView text, QByteArrayView key) {
    qsizetype at = 0;
    while (at + key.size() <= text.size()) {
        if (text.sliced(at).startsWith(key)) {
            return at;
        }
        at += IsLeadByte(text[at]) ? 2 : 1;
    }
    return -1;
}

}  // namespace

QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = file.readAll();
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        bytes.truncate(zero);
    }
    // an empty file was read all the same: tell it apart from one that could not be opened
    return bytes.isNull() ? QByteArray("") : bytes;
}

QByteArray GetSectionValue(QByteArrayView text, QByteArrayView key, QByteArrayView terminator) {
    const qsizetype at = FindKey(text, key);
    if (at < 0) {
        return {};
    }
    const qsizetype begin = at + key.size() + kLineEnd;
    const qsizetype end = text.indexOf(terminator, at + 1);
    if (end < begin) {
        return {};
    }
    return text.sliced(begin, end - begin).toByteArray();
}

char GetSectionFlag(QByteArrayView text, QByteArrayView key) {
    const qsizetype at = FindKey(text, key);
    const qsizetype flag = at + key.size() + kLineEnd;
    return at < 0 || flag >= text.size() ? '\0' : text[flag];
}

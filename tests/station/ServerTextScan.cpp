#include "ServerTextScan.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <cctype>

namespace ServerTextScan {

QByteArray SectionValue(const QByteArray& text, const QByteArray& key,
                        const QByteArray& terminator) {
    const qsizetype position = text.indexOf(key);
    if (position < 0) {
        return {};
    }
    const qsizetype end = text.indexOf(terminator, position + 1);
    const qsizetype from = position + key.size() + 2;
    return end < from ? QByteArray("") : text.mid(from, end - from);
}

char SectionFlag(const QByteArray& text, const QByteArray& key) {
    const qsizetype position = text.indexOf(key);
    const qsizetype at = position + key.size() + 2;
    return position < 0 || at >= text.size() ? '\0' : text[at];
}

QList<ProgramRow> ProgramTable(const QByteArray& text) {
    QList<ProgramRow> rows;
    qsizetype from = 0;
    for (;;) {
        const qsizetype open = text.indexOf("<BRODTIME>", from);
        const qsizetype colon = text.indexOf(':', open + 1);
        const qsizetype close = text.indexOf("</BRODTIME>", colon);
        const qsizetype codeOpen = text.indexOf("<PROGCD>", close);
        const qsizetype codeClose = text.indexOf("</PROGCD>", codeOpen);
        if (open < 0 || colon < 0 || close < 0 || codeOpen < 0 || codeClose < 0) {
            return rows;
        }
        rows.append({text.mid(open + 10, colon - open - 10), text.mid(colon + 1, close - colon - 1),
                     text.mid(codeOpen + 8, codeClose - codeOpen - 8)});
        from = codeClose;
    }
}

QByteArray HexName(const QByteArray& headerText) {
    const qsizetype start = headerText.indexOf("USER%5FNAME=");
    if (start < 0) {
        return {};
    }
    const qsizetype amp = headerText.indexOf('&', start);
    const QByteArray taken = headerText.mid(start, amp < 0 ? 0 : amp - start);
    QByteArray name;
    int digits = 0;
    for (qsizetype i = 13; i < taken.size(); ++i) {
        const int value = QByteArray(1, taken[i]).toInt(nullptr, 16);
        if (!std::isxdigit(static_cast<unsigned char>(taken[i]))) {
            continue;
        }
        if (digits++ % 2 == 0) {
            name.append(static_cast<char>(value << 4));
        } else {
            name.back() = static_cast<char>(name.back() | value);
        }
    }
    return name;
}

QString Korean(const QByteArray& bytes) {
    QStringDecoder decoder("windows-949");
    return decoder.decode(bytes);
}

QByteArray KoreanBytes(const QString& text) {
    QStringEncoder encoder("windows-949");
    return encoder.encode(text);
}

QByteArray PercentEveryByte(const QByteArray& bytes) {
    // Qt leaves letters, digits and "-._~" alone unless told to escape them too.
    static const QByteArray kUnreserved =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-._~";
    return bytes.toPercentEncoding({}, kUnreserved);
}

}  // namespace ServerTextScan

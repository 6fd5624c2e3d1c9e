#include "platform/Cp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
// Windows' table: ICU's plain "CP949" lacks the extended Hangul syllables (such as 똠).
constexpr char kCodePage[] = "windows-949";
}  // namespace

QByteArray ToCp949(QStringView text) {
    QStringEncoder encoder(kCodePage);
    return encoder.encode(text);
}

QString FromCp949(QByteArrayView bytes) {
    // The converter keeps the first byte of a character the bytes end in, waiting for a second
    // that never comes, and the half character would vanish without a trace. A line feed, never
    // the second byte of a character, makes it a replacement character, and is taken off again.
    QStringDecoder decoder(kCodePage);
    QByteArray ended = bytes.toByteArray();
    ended.append('\n');
    QString text = decoder.decode(ended);
    text.chop(1);
    return text;
}

qsizetype Cp949Length(QStringView text) {
    return ToCp949(text).size();
}

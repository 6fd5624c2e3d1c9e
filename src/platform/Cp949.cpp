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
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

qsizetype Cp949Length(QStringView text) {
    return ToCp949(text).size();
}

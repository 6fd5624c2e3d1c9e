#include "platform/Cp949.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray ToCp949(QStringView text) {
    QStringEncoder encoder("CP949");
    return encoder.encode(text);
}

QString FromCp949(QByteArrayView bytes) {
    QStringDecoder decoder("CP949");
    return decoder.decode(bytes);
}

qsizetype Cp949Length(QStringView text) {
    return ToCp949(text).size();
}

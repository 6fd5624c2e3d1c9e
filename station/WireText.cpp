#include "WireText.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// ICU's "CP949" is IBM's table, which lacks the 8,822 extended syllables (똠 = 8C 63) that
// Windows has; "windows-949" is the code page the service's own servers speak.
constexpr const char* kCodePage = "windows-949";

QString WithCrLf(QStringView text) {
    QString result = text.toString();
    result.remove(QChar('\r'));
    result.replace(QChar('\n'), QStringLiteral("\r\n"));
    return result;
}

}  // namespace

namespace WireText {

QByteArray Encode(QStringView text) {
    QStringEncoder encoder(kCodePage);
    return encoder.encode(WithCrLf(text));
}

QString Decode(QByteArrayView bytes) {
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

bool IsEncodable(QStringView text) {
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

}  // namespace WireText

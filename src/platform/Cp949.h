#pragma once

#include <QByteArray>
#include <QString>

// The service speaks the Korean code page (CP949): texts on the wire, in server files and in
// skin files are 8-bit, and every length limit counts bytes, a Korean character counting two.

QByteArray ToCp949(QStringView text);
QString FromCp949(QByteArrayView bytes);
// How many bytes the text takes in the Korean code page.
qsizetype Cp949Length(QStringView text);

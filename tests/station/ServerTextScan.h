#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How the client reads what the station sends, written down independently from the station's
// own code: a test that reads the station's answers this way sees what the client will see.
namespace ServerTextScan {

// The value after "key" + CR LF up to the first `terminator` at or after the key's position + 1;
// empty when the terminator is missing. Null when the key is missing.
QByteArray SectionValue(const QByteArray& text, const QByteArray& key,
                        const QByteArray& terminator = "\r\n[");
// The one character right after the key's line.
char SectionFlag(const QByteArray& text, const QByteArray& key);

struct ProgramRow {
    QByteArray hour;
    QByteArray minute;
    QByteArray code;
};
QList<ProgramRow> ProgramTable(const QByteArray& text);

// The user name the client takes from the log-in response's header text: from "USER%5FNAME="
// to the next '&', hex digit pairs from the fourteenth character on.
QByteArray HexName(const QByteArray& headerText);

// Code page 949 (Windows) bytes as text.
QString Korean(const QByteArray& bytes);
QByteArray KoreanBytes(const QString& text);
// Every byte as %XX, as the client encodes query and form values.
QByteArray PercentEveryByte(const QByteArray& bytes);

}  // namespace ServerTextScan

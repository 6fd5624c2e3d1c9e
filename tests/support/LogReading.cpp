#include "support/LogReading.h"

#include <QFile>

namespace {
constexpr int kTimeStampLength = 9;  // "HH:MM:SS "
}

QStringList LoggedMessages(const QString& logFile) {
    QFile file(logFile);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    QStringList messages;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.size() > kTimeStampLength) {
            messages << QString::fromLatin1(
                line.mid(kTimeStampLength).chopped(line.endsWith('\r') ? 1 : 0));
        }
    }
    return messages;
}

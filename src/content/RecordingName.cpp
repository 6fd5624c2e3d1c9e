#include "content/RecordingName.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr int kMaxNameBytes = 255;
// room for " (99)" should the name be taken
constexpr int kRoomForNumber = 6;
const QString kExtension = QStringLiteral(".opus");

// Characters no file name may hold here or on the disks of other systems, control characters,
// and runs of blanks become one space or "_"; a leading dot would hide the file.
QString SafeTitle(const QString& title) {
    static const QString kForbidden = QStringLiteral("/\\:*?\"<>|");
    QString safe;
    for (const QChar c : title) {
        if (c.isSpace()) {
            safe += QLatin1Char(' ');
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F || kForbidden.contains(c)) {
            safe += QLatin1Char('_');
        } else {
            safe += c;
        }
    }
    safe = safe.simplified();
    while (safe.startsWith(QLatin1Char('.'))) {
        safe.remove(0, 1);
    }
    return safe;
}

// Cut whole characters (never half of a surrogate pair) until the UTF-8 bytes fit.
QString CutToBytes(QString text, int maxBytes) {
    while (!text.isEmpty() && text.toUtf8().size() > maxBytes) {
        text.chop(text.size() >= 2 && text.back().isLowSurrogate() ? 2 : 1);
    }
    return text.trimmed();
}

}  // namespace

QString RecordingName::Folder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return QDir(music.isEmpty() ? QDir::home().filePath(QStringLiteral("Music")) : music)
        .filePath(QStringLiteral("Quilo"));
}

QString RecordingName::FileName(const QDateTime& start, const QString& title) {
    const QString stamp = start.toString(QStringLiteral("yyyy-MM-dd HHmm"));
    const int room = kMaxNameBytes - kRoomForNumber - static_cast<int>(stamp.size()) - 1 -
                     static_cast<int>(kExtension.size());
    QString safe = CutToBytes(SafeTitle(title), room);
    if (safe.isEmpty()) {
        safe = QStringLiteral("Quilo");
    }
    return stamp + QLatin1Char(' ') + safe + kExtension;
}

QString RecordingName::FreePath(const QString& folder, const QString& fileName) {
    const QDir dir(folder);
    QString path = dir.filePath(fileName);
    const QString base = fileName.chopped(kExtension.size());
    for (int number = 2; QFileInfo::exists(path); ++number) {
        path = dir.filePath(QStringLiteral("%1 (%2)%3").arg(base).arg(number).arg(kExtension));
    }
    return path;
}

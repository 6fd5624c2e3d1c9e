#include "platform/ActivityLog.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kFolder = QStringLiteral("./Log");
}

ActivityLog::ActivityLog(Clock clock) : clock_(std::move(clock)) {
    OpenLog();
}

QFile* ActivityLog::OpenLog() {
    file_.reset();
    if (!QFileInfo(kFolder).exists() && !QDir().mkdir(kFolder)) {
        return nullptr;
    }
    PurgeWhenFull();

    const QString fileName = kFolder + clock_().toString(QStringLiteral("/yyyy-MM-dd-HH-mm-ss")) +
                             QStringLiteral(".log");
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return nullptr;
    }
    file->close();
    file_ = std::move(file);
    fileName_ = fileName;
    return file_.get();
}

// Old logs are not trimmed one by one: the folder fills up to 100 old files plus the current
// one, and the first run that finds more than 100 empties it before creating its own.
void ActivityLog::PurgeWhenFull() const {
    const QDir folder(kFolder);
    const QFileInfoList logs = folder.entryInfoList({QStringLiteral("*.log")}, QDir::Files);
    if (logs.size() <= kMaxKeptLogs) {
        return;
    }
    for (const QFileInfo& log : logs) {
        QFile::remove(log.filePath());
    }
}

int ActivityLog::WriteLog(QByteArrayView text) {
    // one call, one line: a text from outside (a program code) cannot forge lines of its own
    QByteArray oneLine = text.toByteArray();
    oneLine.replace('\r', ' ').replace('\n', ' ');
    const QByteArray line = clock_().time().toString(QStringLiteral("HH:mm:ss ")).toLatin1() +
                            oneLine + QByteArrayLiteral("\r\n");
    if (file_ == nullptr && OpenLog() == nullptr) {
        return 0;
    }
    // the file is never created again: when it has gone, the lines of this run are lost
    if (!file_->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::ExistingOnly)) {
        return 0;
    }
    const bool written = file_->write(line) == line.size();
    file_->close();
    return written ? 1 : 0;
}

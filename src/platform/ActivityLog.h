#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

// The program's diagnostic record: one new file per run in "./Log", named after the moment it
// was opened ("./Log/2007-07-03-09-05-07.log"), one "HH:MM:SS message" line per event with CR LF.
// The file is opened, appended to and closed for every line, so it is on disk before the caller
// goes on and others may read or remove it while the program runs. A failure is never reported.
class ActivityLog {
public:
    using Clock = std::function<QDateTime()>;

    // Opens this run's file at once, so the first line already lands in it.
    explicit ActivityLog(Clock clock = &QDateTime::currentDateTime);
    ActivityLog(const ActivityLog&) = delete;
    ActivityLog& operator=(const ActivityLog&) = delete;

    // Creates "./Log" and this run's empty file; a folder holding more than 100 logs is emptied
    // first. Returns the file object, or null when no file could be created.
    QFile* OpenLog();

    // Appends one line; 1 when it was written, 0 when it was not. The text is written as it
    // stands, "%" and all.
    int WriteLog(QByteArrayView text);

    // "./Log/....log" once a file was created, empty before.
    const QString& FileName() const { return fileName_; }

    static constexpr int kMaxKeptLogs = 100;

private:
    void PurgeWhenFull() const;

    Clock clock_;
    std::unique_ptr<QFile> file_;
    QString fileName_;
};

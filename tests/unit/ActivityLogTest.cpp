#include "platform/ActivityLog.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MakeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

ActivityLog::Clock FixedClock(const QDateTime& moment) {
    return [moment] { return moment; };
}

QStringList LogFiles() {
    return QDir(QStringLiteral("./Log")).entryList({QStringLiteral("*.log")}, QDir::Files);
}

}  // namespace

TEST(ActivityLog, NamesTheFileAfterItsOpeningAndStampsEachLineWithTheTimeOfDay) {
    QDateTime now(QDate(2007, 7, 3), QTime(23, 59, 59));
    ActivityLog log([&now] { return now; });
    EXPECT_EQ(log.FileName(), QStringLiteral("./Log/2007-07-03-23-59-59.log"));

    EXPECT_EQ(log.WriteLog("*** Start the QUILO2 ***"), 1);
    now = QDateTime(QDate(2007, 7, 4), QTime(0, 0, 5));
    // a message is written as it stands, never used as a format, and never as two lines
    EXPECT_EQ(log.WriteLog("100% done %s %d"), 1);
    EXPECT_EQ(log.WriteLog("code\r\n00:00:06 SUXES to log-in."), 1);

    EXPECT_EQ(ReadAll(log.FileName()),
              QByteArray("23:59:59 *** Start the QUILO2 ***\r\n00:00:05 100% done %s %d\r\n"
                         "00:00:05 code  00:00:06 SUXES to log-in.\r\n"));
    EXPECT_EQ(LogFiles(), QStringList{QStringLiteral("2007-07-03-23-59-59.log")});
}

TEST(ActivityLog, KeepsAHundredOldLogsAndEmptiesTheFolderWhenItFindsMore) {
    QDir().mkdir(QStringLiteral("./Log"));
    for (int i = 0; i < 100; ++i) {
        MakeFile(QStringLiteral("./Log/old-%1.log").arg(i));
    }
    MakeFile(QStringLiteral("./Log/notes.txt"));

    ActivityLog run101(FixedClock(QDateTime(QDate(2020, 1, 1), QTime(10, 0, 0))));
    EXPECT_EQ(LogFiles().size(), 101) << "100 old files are kept and this run adds its own";

    ActivityLog run102(FixedClock(QDateTime(QDate(2020, 1, 1), QTime(10, 0, 1))));
    EXPECT_EQ(LogFiles(), QStringList{QStringLiteral("2020-01-01-10-00-01.log")});
    EXPECT_TRUE(QFile::exists(QStringLiteral("./Log/notes.txt")))
        << "files that are not logs are never counted or deleted";
}

TEST(ActivityLog, WithLogAsAPlainFileNothingIsWrittenAndEveryWriteTriesAgain) {
    MakeFile(QStringLiteral("./Log"));
    ActivityLog log;
    EXPECT_TRUE(log.FileName().isEmpty());
    EXPECT_EQ(log.WriteLog("first"), 0);
    EXPECT_EQ(log.WriteLog("second"), 0);
    EXPECT_TRUE(QFileInfo(QStringLiteral("./Log")).isFile());

    // once the folder can be made, the next write starts a log named after its own moment
    QFile::remove(QStringLiteral("./Log"));
    EXPECT_EQ(log.WriteLog("third"), 1);
    EXPECT_TRUE(ReadAll(log.FileName()).endsWith(" third\r\n"));
}

TEST(ActivityLog, LinesAreLostAfterTheFileWasRemovedButTheFileIsNotMadeAgain) {
    ActivityLog log;
    ASSERT_EQ(log.WriteLog("kept"), 1);
    ASSERT_TRUE(QFile::remove(log.FileName()));
    EXPECT_EQ(log.WriteLog("lost"), 0);
    EXPECT_FALSE(QFile::exists(log.FileName()));
}

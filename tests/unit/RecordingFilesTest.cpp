#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cmath>
#include <vector>

#include "content/RecordingName.h"
#include "player/OpusRecordingFile.h"
#include "support/FullDisk.h"

namespace {

const QDateTime kEight(QDate(2007, 7, 1), QTime(8, 0, 30));

std::vector<int16_t> Tone(int frames) {
    std::vector<int16_t> samples(static_cast<size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const auto value = static_cast<int16_t>(10000 * std::sin(i * 2 * M_PI * 1000 / 48000));
        samples[2 * static_cast<size_t>(i)] = samples[2 * static_cast<size_t>(i) + 1] = value;
    }
    return samples;
}

bool OpusInfoAccepts(const QString& path, QString* text = nullptr) {
    QProcess info;
    info.start(QStringLiteral("opusinfo"), {path});
    info.waitForFinished();
    const QString out = QString::fromUtf8(info.readAll());
    if (text != nullptr) {
        *text = out;
    }
    // a file cut short lacks its last page's end mark, which opusinfo warns of and players
    // do not need
    return out.contains(QStringLiteral("Playback length")) &&
           !out.contains(QStringLiteral("0m:00.000s"));
}

}  // namespace

TEST(RecordingName, TitlesBecomeSafeNamesThatFitAndNeverReplaceAFile) {
    EXPECT_EQ(RecordingName::FileName(kEight, QStringLiteral("출발! 상쾌한 아침")),
              QStringLiteral("2007-07-01 0800 출발! 상쾌한 아침.opus"));
    EXPECT_EQ(RecordingName::FileName(kEight, QStringLiteral("../a/b:c*\t\n d?")),
              QStringLiteral("2007-07-01 0800 _a_b_c_ d_.opus"));
    EXPECT_EQ(RecordingName::FileName(kEight, QStringLiteral(" .. ")),
              QStringLiteral("2007-07-01 0800 Quilo.opus"));
    // three bytes a syllable: the name is cut to whole syllables within 255 bytes
    const QString longName = RecordingName::FileName(kEight, QString(200, QChar(0xAC00)));
    EXPECT_LE(longName.toUtf8().size(), 255 - 6);
    EXPECT_TRUE(longName.endsWith(QStringLiteral("가.opus")));

    const QString folder = QDir::currentPath();
    const QString name = QStringLiteral("2007-07-01 0800 News.opus");
    QFile(folder + QLatin1Char('/') + name).open(QIODevice::WriteOnly);
    EXPECT_EQ(RecordingName::FreePath(folder, name),
              folder + QStringLiteral("/2007-07-01 0800 News (2).opus"));
    QString error;
    EXPECT_EQ(OpusRecordingFile::Create(folder + QLatin1Char('/') + name, {}, error), nullptr)
        << "an existing file is never written over";
    EXPECT_FALSE(error.isEmpty());

    // stopped before any sound came: a file with its tags and nothing else
    const QString empty = folder + QStringLiteral("/empty.opus");
    auto file = OpusRecordingFile::Create(empty, {QStringLiteral("Empty"), {}, {}, {}}, error);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->Finish());
}

TEST(OpusRecordingFile, AFileCutShortByAFullDiskStillPlaysAsFarAsItGot) {
    const QString path = QDir::current().filePath(QStringLiteral("full.opus"));
    const std::vector<int16_t> second = Tone(48000);
    QString error;
    auto file = OpusRecordingFile::Create(path, {QStringLiteral("제목"), {}, {}, {}}, error);
    ASSERT_NE(file, nullptr) << error.toStdString();
    {
        const FullDisk disk(QFile(path).size() + 20000);
        bool written = true;
        for (int i = 0; i < 30 && written; ++i) {
            written = file->Write(second.data(), 48000);
        }
        EXPECT_FALSE(written) << "the full disk is noticed";
        EXPECT_FALSE(file->Finish());
    }
    QString info;
    EXPECT_TRUE(OpusInfoAccepts(path, &info)) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("TITLE=제목")));
}

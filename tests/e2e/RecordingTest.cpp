#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <map>

#include "FaceRun.h"
#include "content/CProgramTableDlg.h"
#include "platform/StringTable.h"
#include "support/Await.h"
#include "support/FaceParts.h"
#include "support/LogReading.h"
#include "support/TestEnvironment.h"
#include "windows/CMainDlg.h"
#include "windows/PlayerActions.h"
#include "windows/ProgramRecorder.h"
#include "windows/RecordingMark.h"

namespace {

constexpr int kProgramChangeWaitMs = 60000;
// the station's audio channel
constexpr double kToneHz = 1000;

// The listener's music folder, as the desktop names it, and the station's clock at `clock`.
class RecordingRun : public FaceRun {
protected:
    void StartAt(const char* clock) {
        ASSERT_NO_FATAL_FAILURE(Start({"--clock-start", clock}));
        QFile dirs(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/user-dirs.dirs"));
        ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
        dirs.write("XDG_MUSIC_DIR=\"$HOME/Tunes\"\n");
        folder_ = QDir::homePath() + QStringLiteral("/Tunes/Quilo");
        // an earlier test's files, when tests share a process
        QDir(folder_).removeRecursively();
    }

    QStringList Files() const {
        return QDir(folder_).entryList({QStringLiteral("*.opus")}, QDir::Files, QDir::Name);
    }
    QString PathOf(const QString& name) const { return folder_ + QLatin1Char('/') + name; }

    QString folder_;
};

// twenty seconds before 08:00, when the next program begins
class Recording : public RecordingRun {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartAt("2007-07-01T07:59:40")); }
};

// half an hour from either end of a program
class RecordingMidProgram : public RecordingRun {
protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartAt("2007-07-01T08:30:00")); }
};

// opusinfo's account of a file: its tags and "Playback length: 1m:02.345s"
struct OpusInfo {
    bool valid = false;
    QString text;
    double seconds = 0;
};

OpusInfo ReadOpusInfo(const QString& path) {
    QProcess info;
    info.start(QStringLiteral("opusinfo"), {path});
    info.waitForFinished();
    OpusInfo result;
    result.text = QString::fromUtf8(info.readAllStandardOutput());
    result.valid = info.exitCode() == 0 && !result.text.contains(QStringLiteral("WARNING"));
    const QRegularExpressionMatch length =
        QRegularExpression(QStringLiteral("Playback length: (\\d+)m:([\\d.]+)s"))
            .match(result.text);
    if (length.hasMatch()) {
        result.seconds = length.captured(1).toDouble() * 60 + length.captured(2).toDouble();
    }
    return result;
}

// The file decoded as a listener's player would: the share of its tenths of a second that carry
// the station's tone (a gap or a broken join is a tenth without it).
double ShareWithTone(const QString& path) {
    const QString wav = path + QStringLiteral(".wav");
    QProcess::execute(QStringLiteral("opusdec"), {QStringLiteral("--quiet"), path, wav});
    const ToneAnalysis::Sound sound = ToneAnalysis::ReadWav(wav);
    const size_t tenth = static_cast<size_t>(sound.sampleRate / 10);
    int withTone = 0;
    int tenths = 0;
    for (size_t at = 0; tenth > 0 && at + tenth <= sound.samples.size(); at += tenth, ++tenths) {
        withTone += ToneAnalysis::ToneAmplitude(sound, kToneHz, at, tenth) > 0.2 ? 1 : 0;
    }
    return tenths > 0 ? double(withTone) / tenths : 0;
}

}  // namespace

TEST_F(Recording, EveryProgramGetsAFileOfItsOwnCutWhereTheProgramEnds) {
    std::map<QString, QString> titles;
    QObject::connect(&program_.player, &PlayerModel::programChanged, [&] {
        titles[program_.player.OnAir().programCode] = program_.player.OnAir().title;
    });
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
        const CProgramTableDlg& table = FaceParts::Only<CProgramTableDlg>(window);
        ASSERT_TRUE(Await([&] { return titles.count(QStringLiteral("0000102")) > 0; }));
        ASSERT_TRUE(table.ServiceNow().has_value());
        const QDateTime started = *table.ServiceNow();
        window.Actions().recordEvery.trigger();
        EXPECT_TRUE(FaceParts::Only<RecordingMark>(window).isVisible());

        const QString first = QStringLiteral("2007-07-01 0759 %1.opus").arg(titles["0000102"]);
        const auto secondIsThere = [&] { return Files().size() == 2; };
        ASSERT_TRUE(Await(secondIsThere, kProgramChangeWaitMs)) << Files().join(QLatin1Char('|'));
        const QString second = QStringLiteral("2007-07-01 0800 %1.opus").arg(titles["0000103"]);
        EXPECT_EQ(Files(), QStringList({first, second}));
        // what the listener heard went on through the cut: every tenth of a second from three
        // before 08:00 to three after carries the tone
        const ToneAnalysis::Sound heard = sink_.Recorded();
        const size_t tenth = static_cast<size_t>(heard.sampleRate / 10);
        const qint64 sinceCut = QDateTime(started.date(), QTime(8, 0)).msecsTo(*table.ServiceNow());
        const size_t cut = heard.samples.size() - static_cast<size_t>(sinceCut / 100) * tenth;
        ASSERT_GT(cut, 30 * tenth);
        for (size_t at = cut - 30 * tenth; at < cut + 30 * tenth; at += tenth) {
            ASSERT_GT(ToneAnalysis::ToneAmplitude(heard, kFmToneHz, at, tenth), 0.2)
                << "a gap at " << (double(at) - double(cut)) / double(tenth) / 10 << " s";
        }

        // two hours later by the station's clock, shortly before 10:00
        const QDateTime jumpedFrom = *table.ServiceNow();
        ASSERT_TRUE(station_->Control("/_station/clock?set=2007-07-01T09:59:20"));
        const QDateTime jumpedTo(jumpedFrom.date(), QTime(9, 59, 20));
        ASSERT_TRUE(Await([&] { return Files().size() == 3; }, 2 * kProgramChangeWaitMs));
        window.Actions().recordEvery.trigger();
        EXPECT_FALSE(FaceParts::Only<RecordingMark>(window).isVisible());
        EXPECT_FALSE(window.Actions().recordEvery.isChecked());

        const QString third = QStringLiteral("2007-07-01 1000 %1.opus").arg(titles["0000104"]);
        EXPECT_EQ(Files().last(), third);
        // the second file runs from 08:00 to 10:00 by the service's clock, less the jump
        const double secondLength = QDateTime(started.date(), QTime(8, 0)).secsTo(jumpedFrom) +
                                    jumpedTo.secsTo(QDateTime(started.date(), QTime(10, 0)));
        EXPECT_NEAR(ReadOpusInfo(PathOf(second)).seconds, secondLength, 2.0);
        const std::pair<QString, QString> files[] = {{first, QStringLiteral("0000102")},
                                                     {second, QStringLiteral("0000103")},
                                                     {third, QStringLiteral("0000104")}};
        for (const auto& [name, code] : files) {
            const OpusInfo info = ReadOpusInfo(PathOf(name));
            EXPECT_TRUE(info.valid) << name << info.text;
            EXPECT_TRUE(info.text.contains(QStringLiteral("TITLE=") + titles[code])) << info.text;
            EXPECT_TRUE(info.text.contains(QStringLiteral("ARTIST=") +
                                           StringTable::Load(StringId::kRecordingArtist)));
            EXPECT_TRUE(info.text.contains(QStringLiteral("DATE=2007-07-01")));
            EXPECT_TRUE(info.text.contains(QStringLiteral("PROGRAM_CODE=") + code));
            EXPECT_EQ(ShareWithTone(PathOf(name)), 1.0) << name;
        }
    });
}

TEST_F(RecordingMidProgram, ABrokenStreamGoesOnInTheSameFileAndALowDiskStopsWithTheFileKept) {
    Run([&](CMainDlg& window) {
        ASSERT_TRUE(AwaitLevel([](double level) { return level > 0.2; }));
        auto& recorder = FaceParts::Only<ProgramRecorder>(window);
        window.Actions().recordThis.trigger();
        ASSERT_TRUE(recorder.IsRecording());
        const QString path = recorder.CurrentFile();
        ASSERT_TRUE(Await([&] { return ReadOpusInfo(path).seconds > 2; }));

        ASSERT_TRUE(station_->Control("/_station/fault?name=stream-stop&stream=fm"));
        ASSERT_TRUE(Await(
            [&] { return Logged("FAIL to receive the stream to record; opening it again.") == 1; },
            kProgramChangeWaitMs));
        // the file plays as far as it goes while the stream is away
        EXPECT_TRUE(ReadOpusInfo(path).seconds > 2);
        ASSERT_TRUE(station_->Control("/_station/fault?name=stream-start&stream=fm"));
        ASSERT_TRUE(Await(
            [&] {
                return LoggedMessages(program_.log.FileName())
                           .filter(QStringLiteral("Recording resumed after"))
                           .size() == 1;
            },
            kProgramChangeWaitMs));
        EXPECT_EQ(recorder.CurrentFile(), path);

        // the disk is "full": the recording stops, says so, and keeps what it has
        recorder.SetFreeSpaceFloor(std::numeric_limits<qint64>::max());
        ASSERT_TRUE(Await([&] { return !recorder.IsRecording(); }));
        EXPECT_EQ(shown_, std::vector<StringId>{StringId::kRecordingLowDisk});
        EXPECT_FALSE(window.Actions().recordThis.isChecked());
        EXPECT_EQ(Files(), QStringList{QFileInfo(path).fileName()});
        const OpusInfo info = ReadOpusInfo(path);
        EXPECT_TRUE(info.valid) << info.text;
        EXPECT_GT(ShareWithTone(path), 0.9);
    });
}

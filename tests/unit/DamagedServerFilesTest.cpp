// The service's files as they may arrive from a broken connection or a broken server: cut short,
// overwritten with junk, without line ends, grown past a megabyte. Every parser takes each one
// and gives its defined fallback; none crashes (this suite also runs under the sanitizers).
#include <gtest/gtest.h>

#include <QFile>
#include <ctime>
#include <iostream>

#include "content/AppState.h"
#include "content/EventFile.h"
#include "content/ProgramInfoFile.h"
#include "content/ProgramTable.h"
#include "content/ServerClock.h"
#include "content/ServerText.h"
#include "support/CorruptInputs.h"
#include "support/TestEnvironment.h"

namespace {

QByteArray StationFile(const QString& name) {
    QFile file(TestEnvironment::SourceDir() + QStringLiteral("/station/data/info/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ProgramTableText() {
    QByteArray text = "<TABLE>\r\n";
    for (int hour = 5; hour < 29; ++hour) {
        text += "<BRODTIME>" + QByteArray::number(hour).rightJustified(2, '0') +
                ":00</BRODTIME><PROGCD>00001" + QByteArray::number(hour) + "</PROGCD>\r\n";
    }
    return text + "</TABLE>\r\n";
}

}  // namespace

TEST(DamagedServerFiles, EveryParserTakesEveryDamagedFileAndGivesNoMoreThanItHolds) {
    std::tm noon{};
    noon.tm_year = 107;
    noon.tm_mon = 6;
    noon.tm_mday = 1;
    noon.tm_hour = 12;
    const QByteArray valid[] = {ProgramTableText(), StationFile(QStringLiteral("0000101.txt")),
                                StationFile(QStringLiteral("event.txt")),
                                StationFile(QStringLiteral("scroll.txt")),
                                StationFile(QStringLiteral("setup_info.txt"))};
    int cases = 0;
    unsigned seed = 7;
    for (const QByteArray& file : valid) {
        ASSERT_FALSE(file.isEmpty());
        for (const QByteArray& damaged : CorruptInputs::DamagedServerFile(file, seed++)) {
            ++cases;
            // a table never has more programs than it names
            const ProgramRows rows = ParseProgramTable(damaged);
            EXPECT_LE(static_cast<qsizetype>(rows.size()), damaged.count("<PROGCD>"));
            int32_t highWaterMark = 0;
            SelectCurrentProgram(rows, 12, 0, highWaterMark);
            AppState state;
            ParseProgramInfo(damaged, state);
            ParseEventFile(damaged, state);
            TickerAt(damaged, noon);
            // a value is always a part of the text it came from
            EXPECT_LE(GetSectionValue(damaged, "[VER]", "\r\n[").size(), damaged.size());
        }
    }
    std::cout << cases << " damaged server files" << std::endl;
    EXPECT_GE(cases, 50);
}

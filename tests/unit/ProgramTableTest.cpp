#include "content/ProgramTable.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

namespace {

QByteArray Record(const char* time, const char* code) {
    return QByteArray("<BRODTIME>") + time + "</BRODTIME><PROGCD>" + code + "</PROGCD>\r\n";
}

// The day A 05:00, B 07:00, C 23:00, D 25:00 (01:00 the next morning).
ProgramRows Day() {
    return ParseProgramTable("<TABLE>\r\n" + Record("05:00", "A") + Record("07:00", "B") +
                             Record("23:00", "C") + Record("25:00", "D") + "</TABLE>");
}

}  // namespace

TEST(ProgramTable, RecordsAreReadInOrderAndBrokenOnesEndTheScan) {
    const ProgramRows rows = Day();
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[0].hour, "05");
    EXPECT_EQ(rows[0].minute, "00");
    EXPECT_EQ(rows[3].hour, "25");
    EXPECT_EQ(rows[3].code, "D");

    // tags out of order or cut off: nothing past them, and the scan ends
    const QByteArray good = Record("05:00", "A");
    for (const QByteArray& broken :
         {QByteArray("<BRODTIME>06:00</BRODTIME>"), QByteArray("<BRODTIME>0600</BRODTIME>"),
          QByteArray("<PROGCD>X</PROGCD><BRODTIME>06:00</BRODTIME>"),
          QByteArray("<BRODTIME>06:00<PROGCD>X</PROGCD>"), QByteArray("<BRODTIME>"),
          QByteArray("<BRODTIME>06:00</BRODTIME><PROGCD>X</PROG")}) {
        const ProgramRows parsed = ParseProgramTable(good + broken);
        ASSERT_EQ(parsed.size(), 1U) << broken.constData();
        EXPECT_EQ(parsed[0].code, "A");
    }
    // a colon in the minute's place belongs to the minute text; an empty code is a row
    const ProgramRows odd = ParseProgramTable("<BRODTIME>7:3:0</BRODTIME><PROGCD></PROGCD>");
    ASSERT_EQ(odd.size(), 1U);
    EXPECT_EQ(odd[0].hour, "7");
    EXPECT_EQ(odd[0].minute, "3:0");
    EXPECT_EQ(odd[0].code, "");
    EXPECT_TRUE(ParseProgramTable("no table at all").empty());
}

TEST(ProgramTable, TheBroadcastDayRunsFromFiveToFiveAndNeverGoesBack) {
    const ProgramRows rows = Day();
    int32_t mark = 0;
    EXPECT_EQ(SelectCurrentProgram(rows, 4, 59, mark), "D") << "04:59 is 28:59 of the day";
    EXPECT_EQ(mark, 28 * 60 + 59);
    EXPECT_EQ(SelectCurrentProgram(rows, 5, 0, mark), "order");
    EXPECT_EQ(mark, 0) << "a new day starts from nothing";
    EXPECT_EQ(SelectCurrentProgram(rows, 5, 1, mark), "A");
    EXPECT_EQ(SelectCurrentProgram(rows, 6, 59, mark), "A");
    EXPECT_EQ(SelectCurrentProgram(rows, 7, 0, mark), "B") << "a program starts on its minute";
    EXPECT_EQ(SelectCurrentProgram(rows, 23, 30, mark), "C");
    EXPECT_EQ(SelectCurrentProgram(rows, 1, 30, mark), "D");

    // a clock stepping back keeps the later program until it passes that time again
    mark = 0;
    EXPECT_EQ(SelectCurrentProgram(rows, 7, 30, mark), "B");
    EXPECT_EQ(SelectCurrentProgram(rows, 6, 30, mark), "B");
    EXPECT_EQ(mark, 7 * 60 + 30);
    EXPECT_EQ(SelectCurrentProgram(rows, 7, 31, mark), "B");
    EXPECT_EQ(mark, 7 * 60 + 31);

    int32_t empty = 0;
    EXPECT_EQ(SelectCurrentProgram({}, 12, 0, empty), "");
    EXPECT_EQ(SelectCurrentProgram({}, 5, 0, empty), "order");
}

TEST(ProgramTable, BeforeTheFirstProgramAndPositionalNumbers) {
    const ProgramRows late = ParseProgramTable(Record("06:00", "F") + Record("09:00", "G"));
    int32_t mark = 0;
    EXPECT_EQ(SelectCurrentProgram(late, 5, 1, mark), "0000517");
    EXPECT_EQ(SelectCurrentProgram(late, 5, 59, mark), "0000517");
    EXPECT_EQ(SelectCurrentProgram(late, 6, 0, mark), "F");

    // "07" and "7" start at the same minute; a blank after the digits is another place: "07 "
    // is hour 70, so that program never comes within the day
    const ProgramRows spaced = ParseProgramTable(Record("05:00", "A") + Record("7:00", "B") +
                                                 Record("07 :00", "Late") + Record("07:00", "C"));
    mark = 0;
    EXPECT_EQ(SelectCurrentProgram(spaced, 6, 59, mark), "A");
    // B's successor "Late" starts at 70:00, so B stays on air past C's start, to the day's end
    EXPECT_EQ(SelectCurrentProgram(spaced, 8, 0, mark), "B");
    EXPECT_EQ(SelectCurrentProgram(spaced, 4, 59, mark), "B");

    // equal start times: the later row wins once their time has come
    const ProgramRows twins =
        ParseProgramTable(Record("05:00", "A") + Record("08:00", "B1") + Record("08:00", "B2"));
    mark = 0;
    EXPECT_EQ(SelectCurrentProgram(twins, 8, 0, mark), "B2");
}

TEST(ProgramTable, TheProgramOnAirEndsWhereTheNextBeginsAndTheLastAtFive) {
    const ProgramRows rows = Day();
    EXPECT_EQ(SecondsToNextProgram(rows, 6, 59, 30), 30);
    EXPECT_EQ(SecondsToNextProgram(rows, 7, 0, 0), 16 * 3600) << "B runs until C at 23:00";
    EXPECT_EQ(SecondsToNextProgram(rows, 0, 30, 0), 30 * 60) << "00:30 is 24:30, D at 25:00";
    EXPECT_EQ(SecondsToNextProgram(rows, 4, 59, 59), 1) << "D, the last, ends at 05:00";
    EXPECT_EQ(SecondsToNextProgram({}, 12, 0, 0), std::nullopt);
}

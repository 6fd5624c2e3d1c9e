#include "content/ServerClock.h"

#include <gtest/gtest.h>

#include "platform/Cp949.h"
#include "support/QtPrinting.h"

namespace {

std::tm At(int year, int month, int day, int hour, int minute) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    return time;
}

QByteArray TickerFile(const char* start, const char* end) {
    return QByteArray("[SCR_ST]\r\n") + start + "\r\n[SCR_ET]\r\n" + end + "\r\n[SCR_TXT]\r\n" +
           ToCp949(u"가을 개편") + "\r\n[SCR_URL]\r\nhttp://main/autumn\r\n[END]\r\n";
}

ScheduleBytes Schedule(std::initializer_list<uint8_t> bytes) {
    ScheduleBytes schedule;
    schedule.fill(0xFF);
    std::copy(bytes.begin(), bytes.end(), schedule.begin());
    return schedule;
}

}  // namespace

TEST(ServerClock, TheTickerShowsInsideItsWindowBothEndsIncluded) {
    const QByteArray file = TickerFile("200707010900", "200707010930");
    EXPECT_EQ(TickerAt(file, At(2007, 7, 1, 8, 59)).text, QString());
    const TickerLine opening = TickerAt(file, At(2007, 7, 1, 9, 0));
    EXPECT_EQ(opening.text, QStringLiteral("가을 개편"));
    EXPECT_EQ(opening.link, QStringLiteral("http://main/autumn"));
    EXPECT_EQ(TickerAt(file, At(2007, 7, 1, 9, 30)).text, QStringLiteral("가을 개편"));
    const TickerLine after = TickerAt(file, At(2007, 7, 1, 9, 31));
    EXPECT_EQ(after.text, QString());
    EXPECT_EQ(after.link, QString());
    // the same minute of another day or month is outside
    EXPECT_EQ(TickerAt(file, At(2007, 8, 1, 9, 15)).text, QString());
    EXPECT_EQ(TickerAt(file, At(2008, 7, 1, 9, 15)).text, QString());

    // a window across midnight, and one across the turn of the year
    EXPECT_FALSE(
        TickerAt(TickerFile("200707012330", "200707020030"), At(2007, 7, 2, 0, 15)).text.isEmpty());
    EXPECT_FALSE(
        TickerAt(TickerFile("200712312330", "200801010030"), At(2008, 1, 1, 0, 30)).text.isEmpty());
    // no window at all, an empty answer
    EXPECT_EQ(TickerAt("[SCR_TXT]\r\nx\r\n[END]", At(2007, 7, 1, 9, 0)).text, QString());
    EXPECT_EQ(TickerAt("", At(2007, 7, 1, 9, 0)).text, QString());
}

TEST(ServerClock, OnlyEnabledEntriesOfTheMinuteAreDue) {
    EXPECT_TRUE(IsScheduleDue(Schedule({0x87, 0x1E}), 7, 30));
    EXPECT_FALSE(IsScheduleDue(Schedule({0x87, 0x1E}), 7, 31));
    EXPECT_FALSE(IsScheduleDue(Schedule({0x87, 0x1E}), 19, 30));
    EXPECT_FALSE(IsScheduleDue(Schedule({0x07, 0x1E}), 7, 30)) << "top bit clear: disabled";
    EXPECT_FALSE(IsScheduleDue(Schedule({0xFF, 0x1E}), 0x7F, 30)) << "an empty entry";
    EXPECT_FALSE(IsScheduleDue(Schedule({0x87, 0xFF}), 7, 0xFF));
    // the last of the nine entries counts, and an entry at midnight
    ScheduleBytes last = Schedule({});
    last[16] = 0x80;
    last[17] = 0;
    EXPECT_TRUE(IsScheduleDue(last, 0, 0));
    EXPECT_FALSE(IsScheduleDue(Schedule({}), 0x7F, 0x7F));
}

#include "web/LoginAddress.h"
#include "web/ResponseHeaders.h"
#include "web/UrlEncode.h"

#include <gtest/gtest.h>

#include <array>

#include "support/QtPrinting.h"

TEST(UrlEncode, EveryByteBecomesTwoUpperCaseDigits) {
    EXPECT_EQ(UrlEncode("ab", true), QByteArray("%61%62"));
    EXPECT_EQ(UrlEncode("ab", false), QByteArray("6162"));
    EXPECT_EQ(UrlEncode("\t", true), QByteArray("%09"));
    EXPECT_EQ(UrlEncode("\xC7\r\n", true), QByteArray("%C7%0D%0A"));
    EXPECT_EQ(UrlEncode(QByteArray("\0\xFF", 2), false), QByteArray("00FF"));
    EXPECT_TRUE(UrlEncode("", true).isEmpty());
}

TEST(LoginAddress, EncodesIdAndPasswordInTheKoreanCodePageButNotTheReturnPage) {
    const WebAddresses addresses{"http://web.example:8081", "https://main.example"};
    EXPECT_EQ(BuildLoginAddress(addresses, "ab", QStringLiteral("한글")),
              QStringLiteral("https://main.example/subloginproc.asp?userid=%61%62"
                             "&passwd=%C7%D1%B1%DB"
                             "&returnurl=http://web.example:8081/empty.asp&eradio=Y"));
    // "&" and "=" in a password cannot break the query apart
    EXPECT_TRUE(BuildLoginAddress(addresses, "a", "x&y=z").contains("&passwd=%78%26%79%3D%7A&"));
}

TEST(DecodeHexName, TakesHexDigitPairsFromTheFourteenthCharacter) {
    EXPECT_EQ(DecodeHexName("USER%5FNAME=%C8%AB"), QByteArray("\xC8\xAB"));
    EXPECT_EQ(DecodeHexName("USER%5FNAME=%c8%ab%41"), QByteArray("\xC8\xAB\x41"));
    // characters that are no hexadecimal digits are passed over; an odd digit is a high half
    EXPECT_EQ(DecodeHexName("USER%5FNAME=%C8x%A-B%4"), QByteArray("\xC8\xAB\x40"));
    EXPECT_TRUE(DecodeHexName("USER%5FNAME=").isEmpty());
    EXPECT_TRUE(DecodeHexName("").isEmpty());
}

TEST(ParseDateHeader, MovesGmtToTheServiceTimeRollingOverDayMonthAndYear) {
    // the text, then year, month, day, weekday, hour, minute and second in the service's time
    const std::pair<const char*, std::array<int, 7>> cases[] = {
        {"Date: Tue, 03 Jul 2007 00:05:07 GMT", {2007, 7, 3, 2, 9, 5, 7}},
        // New Year's Eve turns into Monday, the first of January
        {"Date: Sun, 31 Dec 2006 20:00:00 GMT", {2007, 1, 1, 1, 5, 0, 0}},
        // February has a 29th in years divisible by four only
        {"Date: Thu, 28 Feb 2008 23:30:00 GMT", {2008, 2, 29, 5, 8, 30, 0}},
        {"Date: Wed, 28 Feb 2007 23:30:00 GMT", {2007, 3, 1, 4, 8, 30, 0}},
        // thirty and thirty-one day months; Saturday wraps to Sunday
        {"Date: Sat, 30 Jun 2007 15:00:00 GMT", {2007, 7, 1, 0, 0, 0, 0}},
        {"Date: Mon, 30 Jul 2007 15:00:00 GMT", {2007, 7, 31, 2, 0, 0, 0}},
        {"Date: Tue, 31 Jul 2007 14:59:59 GMT", {2007, 7, 31, 2, 23, 59, 59}},
        // names compare without case
        {"Date: fri, 05 oct 2007 01:02:03 GMT", {2007, 10, 5, 5, 10, 2, 3}},
    };
    for (const auto& [text, expected] : cases) {
        const std::tm t = ParseDateHeader(text, std::tm{});
        EXPECT_EQ((std::array<int, 7>{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_wday,
                                      t.tm_hour, t.tm_min, t.tm_sec}),
                  expected)
            << text;
    }
}

TEST(ParseDateHeader, UnknownNamesKeepThePreviousWeekdayAndMonth) {
    std::tm previous{};
    previous.tm_wday = 4;
    previous.tm_mon = 6;
    const std::tm time = ParseDateHeader("Date: Xyz, 12 Abc 2007 01:00:00 GMT", previous);
    EXPECT_EQ(time.tm_wday, 4);
    EXPECT_EQ(time.tm_mon, 6);
    EXPECT_EQ(time.tm_mday, 12);
    EXPECT_EQ(time.tm_hour, 10);
    // a cut text reads what is there and never reads past its end
    const std::tm cut = ParseDateHeader("Date: Mon, 02 Ju", previous);
    EXPECT_EQ(cut.tm_wday, 1);
    EXPECT_EQ(cut.tm_mday, 2);
    EXPECT_EQ(cut.tm_mon, 6);
}

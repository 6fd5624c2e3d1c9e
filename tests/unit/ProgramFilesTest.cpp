#include <gtest/gtest.h>

#include "content/EventFile.h"
#include "content/ProgramInfoFile.h"
#include "platform/Cp949.h"
#include "support/QtPrinting.h"

namespace {

QByteArray InfoFile(const QByteArray& vfm, const QByteArray& contentsAndEnd) {
    return ToCp949(u"[TITLE]\r\n새벽을 여는 클래식\r\n") +
           "[LINK_1]\r\nhttp://main/p/1\r\n[LINK_2]\r\nhttp://main/p/2\r\n"
           "[IMG_1]\r\nhttp://web/i/1.bmp\r\n[IMG_2]\r\nhttp://web/i/2.bmp\r\n"
           "[VFM]\r\n" +
           vfm + "\r\n[AIR]\r\nl\r\n[SCROLL]\r\nfirst line\r\n[second] line\r\n" +
           "[SCROLL_LINK]\r\nhttp://main/s\r\n[CONTENTS]\r\n" + contentsAndEnd;
}

}  // namespace

TEST(ProgramInfoFile, EveryValueLandsAndMultiLineValuesEndAtTheirOwnKey) {
    AppState state;
    state.eventLink = QStringLiteral("http://main/event");
    ParseProgramInfo(InfoFile("y", "About\r\n[Guest] Kim\r\n\r\nEnd\r\n[END]\r\n"), state);
    EXPECT_EQ(state.title, QStringLiteral("새벽을 여는 클래식"));
    EXPECT_EQ(state.link1, QStringLiteral("http://main/p/1"));
    EXPECT_EQ(state.link2, QStringLiteral("http://main/p/2"));
    EXPECT_EQ(state.image1Url, QStringLiteral("http://web/i/1.bmp"));
    EXPECT_EQ(state.image2Url, QStringLiteral("http://web/i/2.bmp"));
    EXPECT_TRUE(state.hasVfm) << "a small y counts";
    EXPECT_TRUE(state.isLive) << "a small l counts";
    EXPECT_EQ(state.scrollText, QStringLiteral("first line\r\n[second] line"));
    EXPECT_EQ(state.scrollLink, QStringLiteral("http://main/s"));
    EXPECT_EQ(state.contents, QStringLiteral("About\r\n[Guest] Kim\r\n\r\nEnd"));
    EXPECT_EQ(state.eventLink, QStringLiteral("http://main/event")) << "not the info file's";

    ParseProgramInfo(InfoFile("N", "Cut off\r\n"), state);
    EXPECT_FALSE(state.hasVfm);
    EXPECT_EQ(state.contents, QString()) << "contents without [END] are empty";
    ParseProgramInfo(InfoFile("", "x\r\n[END]"), state);
    EXPECT_FALSE(state.hasVfm) << "an empty line is no";
    ParseProgramInfo(InfoFile("Yes", "x\r\n[END]"), state);
    EXPECT_TRUE(state.hasVfm) << "only the first character counts";
}

TEST(EventFile, AddressesAlwaysAndTheTimingOnlyWhenWhole) {
    AppState state;
    ParseEventFile(
        "[LINK]\r\nhttp://main/e\r\n[IMG]\r\nhttp://web/b.bmp\r\n[QUILO]\r\n\r\n"
        "[QUILO_TIME]\r\n1,500,500\r\n[END]\r\n",
        state);
    EXPECT_EQ(state.eventLink, QStringLiteral("http://main/e"));
    EXPECT_EQ(state.eventImageUrl, QStringLiteral("http://web/b.bmp"));
    EXPECT_EQ(state.characterLink, QString()) << "an empty line: sprites not clickable";
    EXPECT_EQ(state.characterTimes, (std::array<int32_t, 3>{1, 500, 500}));

    ParseEventFile(
        "[LINK]\r\nhttp://main/f\r\n[IMG]\r\n\r\n[QUILO]\r\nhttp://main/q\r\n"
        "[QUILO_TIME]\r\n0,9000\r\n[END]\r\n",
        state);
    EXPECT_EQ(state.eventLink, QStringLiteral("http://main/f"));
    EXPECT_EQ(state.characterLink, QStringLiteral("http://main/q"));
    EXPECT_EQ(state.characterTimes, (std::array<int32_t, 3>{1, 500, 500}))
        << "two numbers leave all three as they were";

    ParseEventFile("[QUILO_TIME]\r\n  2,300,400 \r\n[END]\r\n", state);
    EXPECT_EQ(state.characterTimes, (std::array<int32_t, 3>{2, 300, 4000}))
        << "blanks before count for nothing, a blank after is one more place";
}

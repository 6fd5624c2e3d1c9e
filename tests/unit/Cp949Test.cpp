#include "platform/Cp949.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

TEST(Cp949, KoreanTakesTwoBytesACharacterAndACutCharacterLeavesAReplacement) {
    // 똠 is one of the syllables only Windows' table has; a wrong table gives a substitute
    EXPECT_EQ(ToCp949(u"최똠이"), QByteArray::fromHex("C3D68C63C0CC"));
    EXPECT_EQ(FromCp949(QByteArray::fromHex("C3D68C63C0CC")), QStringLiteral("최똠이"));
    EXPECT_EQ(Cp949Length(u"한글 100자"), 10);
    EXPECT_EQ(FromCp949(ToCp949(u"ZELK 인터넷 라디오")), QStringLiteral("ZELK 인터넷 라디오"));
    // "a" and the first byte of 한: the half character is not dropped without a trace
    EXPECT_EQ(FromCp949(QByteArray::fromHex("61C7")), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(FromCp949(QByteArray::fromHex("92")), QStringLiteral("\uFFFD"));
    // a whole character after a cut one still reads
    EXPECT_EQ(FromCp949(QByteArray::fromHex("C7D1")), QStringLiteral("한"));
}

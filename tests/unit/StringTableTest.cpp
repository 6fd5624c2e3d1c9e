#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include "platform/Cp949.h"

TEST(StringTable, EachLanguageHasItsOwnTextsAndSomeReadTheSameInBoth) {
    EXPECT_EQ(StringTable::Load(103, false), QStringLiteral("Hide"));
    EXPECT_EQ(StringTable::Load(103, true), QStringLiteral("감추기"));
    EXPECT_EQ(StringTable::Load(119, true),
              QStringLiteral("서버에 접속 중입니다. 잠시 기다려주세요."));
    EXPECT_EQ(
        StringTable::Load(142, false),
        QStringLiteral(
            "If you quit QUILO, the scheduler will not work.\r\nAre you sure to quit QUILO?"));
    for (int same : {101, 116, 126}) {
        EXPECT_EQ(StringTable::Load(same, true), StringTable::Load(same, false)) << same;
    }
    EXPECT_TRUE(StringTable::Load(116, false).startsWith(QStringLiteral("Version %s\r\n")));
    EXPECT_EQ(StringTable::Load(116, false).count(QStringLiteral("\r\n")), 2);
    EXPECT_TRUE(StringTable::Load(121, false).isEmpty()) << "there is no text 121";
}

TEST(StringTable, EveryTextHasBothLanguagesAndTheKoreanOnesFitTheCodePage) {
    const int ids[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113,
                       114, 115, 116, 117, 118, 119, 120, 122, 124, 125, 126, 127, 128,
                       129, 130, 131, 134, 135, 136, 138, 139, 140, 141, 142};
    for (int id : ids) {
        const QString korean = StringTable::Load(id, true);
        EXPECT_FALSE(StringTable::Load(id, false).isEmpty()) << id;
        EXPECT_FALSE(korean.isEmpty()) << id;
        EXPECT_EQ(FromCp949(ToCp949(korean)), korean) << id << " cannot be sent as CP949";
    }
    // the prompt is compared byte for byte elsewhere, and the limit counts bytes
    EXPECT_EQ(Cp949Length(StringTable::Load(117, true)), 44);
}

TEST(StringTable, TheChosenLanguageIsTheOneLoaded) {
    StringTable::SetKorean(true);
    EXPECT_EQ(StringTable::Load(134), QStringLiteral("오늘의 편성"));
    StringTable::SetKorean(false);
    EXPECT_EQ(StringTable::Load(134), QStringLiteral("Today's Programs"));
}

#include "skin/SkinInfo.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include <QDir>
#include <QFile>

namespace {

struct Lookup {
    int result;
    std::vector<int32_t> values;
};

Lookup Read(const QByteArray& text, const char* key, int count) {
    Lookup lookup{0, std::vector<int32_t>(static_cast<size_t>(count), -777)};
    lookup.result = SkinInfo::GetKeyValues(text, key, lookup.values.data(), count);
    return lookup;
}

}  // namespace

TEST(SkinInfo, TheSeparatorIsOneCharacterOfAnyKind) {
    for (const char* text :
         {"[MAIN_PLAY] 10,20\r\n", "[MAIN_PLAY]=10,20\r\n", "[MAIN_PLAY]\t10,20\r\n"}) {
        const Lookup lookup = Read(text, "[MAIN_PLAY]", 2);
        EXPECT_EQ(lookup.result, 1) << text;
        EXPECT_EQ(lookup.values, (std::vector<int32_t>{10, 20})) << text;
    }
    // with nothing between key and number, the "1" is taken for the separator
    const Lookup glued = Read("[MAIN_PLAY]10,20\r\n", "[MAIN_PLAY]", 2);
    EXPECT_EQ(glued.result, 1);
    EXPECT_EQ(glued.values, (std::vector<int32_t>{0, 20}));
}

TEST(SkinInfo, TheFirstOccurrenceWinsAndKeysMatchOnlyWhole) {
    const QByteArray text =
        "[MAIN_LINK10] 1,1\r\n[MAIN_LINK1] 5,6\r\n[MAIN_LINK1] 7,8\r\n[main_link2] 3,3\r\n";
    EXPECT_EQ(Read(text, "[MAIN_LINK1]", 2).values, (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(Read(text, "[MAIN_LINK2]", 2).result, 0) << "keys compare case-sensitively";
    EXPECT_EQ(Read(text, "[MAIN_LINK2]", 2).values[0], -777) << "values untouched when absent";
}

TEST(SkinInfo, ALastLineWithoutLineEndCannotBeRead) {
    const Lookup lookup = Read("[MAIN_PLAY] 1,2\r\n[MENU_COL] 10,20,30", "[MENU_COL]", 3);
    EXPECT_EQ(lookup.result, 0);
}

TEST(SkinInfo, ReadingMoreNumbersThanTheLineHoldsRunsIntoTheNextLines) {
    const QByteArray text = "[MAIN_VOLM] 4,5\r\n[MAIN_VIEW] 6,7\r\n";
    const Lookup lookup = Read(text, "[MAIN_VOLM]", 3);
    EXPECT_EQ(lookup.result, 1);
    EXPECT_EQ(lookup.values[0], 4);
    // field 2 is "5\r\n[MAIN_VIEW] 6": eighteen places, wrapping like a 32-bit integer
    EXPECT_EQ(lookup.values[1], SkinInfo::ParseFieldNumber("5\r\n[MAIN_VIEW] 6"));
    EXPECT_EQ(lookup.values[2], 7);
}

TEST(SkinInfo, NumbersArePositional) {
    EXPECT_EQ(SkinInfo::ParseFieldNumber(" 12"), 12);
    EXPECT_EQ(SkinInfo::ParseFieldNumber("12 "), 120);
    EXPECT_EQ(SkinInfo::ParseFieldNumber("-5"), -5);
    EXPECT_EQ(SkinInfo::ParseFieldNumber(" -5"), -5);
    EXPECT_EQ(SkinInfo::ParseFieldNumber("1-5"), 5) << "a minus after a digit starts over";
    EXPECT_EQ(SkinInfo::ParseFieldNumber(""), 0);
    EXPECT_EQ(SkinInfo::ParseFieldNumber("9."), 90) << "a version text \"9.\" reads as 90";
    EXPECT_EQ(SkinInfo::ParseFieldNumber("10"), 10);
    EXPECT_EQ(SkinInfo::ParseFieldNumber64("20071203235959"), 20071203235959LL);
    EXPECT_EQ(SkinInfo::ParseFieldNumber64("-20071203235959"), -20071203235959LL);
}

TEST(SkinInfo, LoadKeepsTheFileBytesExactlyAndAFailedLoadKeepsTheOldSkin) {
    QDir().mkpath(QStringLiteral("./Skins/Good"));
    const QByteArray bytes("[MAIN_PLAY] 1,2\r\n\x00\xb0\xa8 tail without line end", 41);
    QFile file(QStringLiteral("./Skins/Good/skininfo.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();

    SkinInfo skin;
    ASSERT_TRUE(skin.Load(QStringLiteral("Good")));
    EXPECT_EQ(skin.Text(), bytes);
    EXPECT_EQ(skin.FilePath(QStringLiteral("/main_bg.bmp")),
              QStringLiteral("./Skins/Good/main_bg.bmp"));

    EXPECT_FALSE(skin.Load(QStringLiteral("Missing")));
    EXPECT_EQ(skin.Name(), QStringLiteral("Good"));
    EXPECT_EQ(skin.Text(), bytes);
}

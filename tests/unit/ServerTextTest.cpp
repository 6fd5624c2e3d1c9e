#include "content/ServerText.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/QtPrinting.h"

namespace {

const QByteArray kNext = "\r\n[";

bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

TEST(ServerText, ValuesEndAtTheirTerminatorAndTheFirstKeyWins) {
    const QByteArray text =
        "[TITLE]\r\nMorning\r\n[CONTENTS]\r\nline one\r\nline two\r\n[TITLE]\r\nEvening\r\n"
        "[MSG]\r\nfirst\r\n[note] kept\r\n[END]\r\n[TAIL]\r\nno terminator after";
    EXPECT_EQ(GetSectionValue(text, "[TITLE]", kNext), "Morning");
    EXPECT_EQ(GetSectionValue(text, "[CONTENTS]", kNext), "line one\r\nline two");
    // the usual terminator cuts a value at a line that opens with "["
    EXPECT_EQ(GetSectionValue(text, "[MSG]", kNext), "first");
    EXPECT_EQ(GetSectionValue(text, "[MSG]", "\r\n[END]"), "first\r\n[note] kept");
    EXPECT_EQ(GetSectionValue(text, "[TAIL]", kNext), "");
    EXPECT_EQ(GetSectionValue(text, "[title]", kNext), "") << "keys match case-sensitively";
    EXPECT_EQ(GetSectionValue(text, "[NONE]", kNext), "");
    EXPECT_EQ(GetSectionValue("[VER]\r\n 2.01 \r\n[END]", "[VER]", kNext), " 2.01 ")
        << "values are not trimmed";
    EXPECT_EQ(GetSectionValue("[A]\r\n[B]\r\nb\r\n[END]", "[A]", kNext), "") << "empty value";
    EXPECT_EQ(GetSectionFlag("[LIVE]\r\nY\r\n[END]", "[LIVE]"), 'Y');
    EXPECT_EQ(GetSectionFlag("[LIVE]\r\n", "[LIVE]"), '\0');
    EXPECT_EQ(GetSectionFlag("[X]\r\nN", "[LIVE]"), '\0');
}

TEST(ServerText, KeysAreFoundOnCharacterBoundariesOnly) {
    // 0xB0 opens a double-byte character whose second byte is "[": the key there is no key
    const QByteArray hidden = "\xB0[VER]\r\n9.99\r\n[VER]\r\n2.01\r\n[END]";
    EXPECT_EQ(GetSectionValue(hidden, "[VER]", kNext), "2.01");
    EXPECT_EQ(GetSectionFlag("\xC7[ON]\r\nN\r\n[ON]\r\nY", "[ON]"), 'Y');
    // Korean text before a key, and a key right after a character, are still found
    const QByteArray korean = "\xC7\xD1\xB1\xDB\r\n[TITLE]\r\n\xC3\xD6\x8C\x63\r\n[END]";
    EXPECT_EQ(GetSectionValue(korean, "[TITLE]", kNext), "\xC3\xD6\x8C\x63");
    EXPECT_EQ(GetSectionValue("\xC7\xD1[K]\r\nv\r\n[END]", "[K]", kNext), "v");
    // a lead byte as the very last byte must not carry the search past the end
    EXPECT_EQ(GetSectionValue("[K]\r\nv\r\n[END]\xB0", "[K]", kNext), "v");
    EXPECT_EQ(GetSectionValue("\xB0", "[K]", kNext), "");
}

TEST(ServerText, AFileIsReadUpToItsFirstZeroByte) {
    ASSERT_TRUE(WriteFile("zero", QByteArray("[VER]\r\n2.10\0[URL]\r\n", 19)));
    EXPECT_EQ(ReadWholeFile("zero"), "[VER]\r\n2.10");
    ASSERT_TRUE(WriteFile("empty", ""));
    EXPECT_FALSE(ReadWholeFile("empty").isNull()) << "an empty file is read, not missing";
    EXPECT_TRUE(ReadWholeFile("empty").isEmpty());
    EXPECT_TRUE(ReadWholeFile("missing").isNull());
}

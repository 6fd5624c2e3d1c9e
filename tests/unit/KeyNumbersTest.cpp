#include "platform/KeyNumbers.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// A key's values as the player reads them: the result and the numbers (-777 where untouched).
TEST(KeyNumbers, KeysAndNumbersAreReadAsThePlayerReadsThem) {
    struct Case {
        const char* what;
        QByteArray text;
        const char* key;
        int result;
        std::vector<int32_t> values;
    };
    const QByteArray twice =
        "[MAIN_LINK10] 1,1\r\n[MAIN_LINK1] 5,6\r\n[MAIN_LINK1] 7,8\r\n[main_link2] 3,3\r\n";
    const Case cases[] = {
        {"blank separator", "[MAIN_PLAY] 10,20\r\n", "[MAIN_PLAY]", 1, {10, 20}},
        {"= separator", "[MAIN_PLAY]=10,20\r\n", "[MAIN_PLAY]", 1, {10, 20}},
        {"tab separator", "[MAIN_PLAY]\t10,20\r\n", "[MAIN_PLAY]", 1, {10, 20}},
        {"no separator: the 1 is taken for one", "[MAIN_PLAY]10,20\r\n", "[MAIN_PLAY]", 1, {0, 20}},
        {"first occurrence of the whole key wins", twice, "[MAIN_LINK1]", 1, {5, 6}},
        {"keys compare case-sensitively, values untouched", twice, "[MAIN_LINK2]", 0, {-777, -777}},
        // the numbers are read, but the result says the key is not there
        {"a last line without line end cannot be read",
         "[MAIN_PLAY] 1,2\r\n[MENU_COL] 10,20,30",
         "[MENU_COL]",
         0,
         {10, 20, -777}},
        // field 2 is "5\r\n[MAIN_VIEW] 6": eighteen places, wrapping like a 32-bit integer
        {"more numbers than the line holds run into the next lines",
         "[MAIN_VOLM] 4,5\r\n[MAIN_VIEW] 6,7\r\n",
         "[MAIN_VOLM]",
         1,
         {4, ParseFieldNumber("5\r\n[MAIN_VIEW] 6"), 7}},
    };
    for (const Case& test : cases) {
        std::vector<int32_t> values(test.values.size(), -777);
        EXPECT_EQ(GetKeyValues(test.text, test.key, values.data(), static_cast<int>(values.size())),
                  test.result)
            << test.what;
        EXPECT_EQ(values, test.values) << test.what;
    }
    // numbers are positional: a blank after a digit is one more place
    const std::pair<const char*, int32_t> numbers[] = {
        {" 12", 12}, {"12 ", 120}, {"-5", -5}, {" -5", -5}, {"1-5", 5}, {"", 0}, {"9.", 90}};
    for (const auto& [text, number] : numbers) {
        EXPECT_EQ(ParseFieldNumber(text), number) << '"' << text << '"';
    }
    EXPECT_EQ(ParseFieldNumber64("-20071203235959"), -20071203235959LL);
}

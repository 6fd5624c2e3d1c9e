#include "platform/StringTable.h"

#include <gtest/gtest.h>

#include "support/QtPrinting.h"

#include "platform/Cp949.h"

TEST(StringTable, EveryTextHasBothLanguagesFitsTheCodePageAndTheChosenOneIsLoaded) {
    ASSERT_FALSE(StringTable::AllIds().empty());
    for (const StringId id : StringTable::AllIds()) {
        const int number = static_cast<int>(id);
        const QString korean = StringTable::Load(id, true);
        EXPECT_FALSE(StringTable::Load(id, false).isEmpty()) << number;
        EXPECT_FALSE(korean.isEmpty()) << number;
        EXPECT_EQ(FromCp949(ToCp949(korean)), korean) << number << " cannot be sent as CP949";
    }
    // the prompt is compared byte for byte elsewhere, and the limit counts bytes
    EXPECT_EQ(Cp949Length(StringTable::Load(StringId::kMessagePrompt, true)), 44);
    // the chosen language is the one loaded
    StringTable::SetKorean(true);
    EXPECT_EQ(StringTable::Load(StringId::kTodaysPrograms), QStringLiteral("오늘의 편성"));
    StringTable::SetKorean(false);
    EXPECT_EQ(StringTable::Load(StringId::kTodaysPrograms), QStringLiteral("Today's Programs"));
}

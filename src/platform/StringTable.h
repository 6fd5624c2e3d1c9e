#pragma once

#include <QString>

// Every text the program shows to the listener, by its fixed id, in English and in Korean.
// Korean is used when the user's interface language is Korean, English otherwise.
class StringTable {
public:
    // The text of `id` in the current language; an empty string for an unknown id.
    static QString Load(int id);
    static QString Load(int id, bool korean);

    // Whether Korean texts are shown. Decided once from the environment (LANGUAGE, LC_ALL,
    // LC_MESSAGES, LANG as the system locale reports them) unless set explicitly.
    static bool IsKorean();
    static void SetKorean(bool korean);
    static bool KoreanFromEnvironment();
};

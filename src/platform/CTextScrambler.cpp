#include "platform/CTextScrambler.h"

namespace {

constexpr char kFirstLetter = 'a';
constexpr int kLetters = 16;

unsigned char KeyAt(qsizetype position) {
    return static_cast<unsigned char>(0xA5 + 31 * position);
}

int LetterValue(char letter) {
    const int value = letter - kFirstLetter;
    return value >= 0 && value < kLetters ? value : -1;
}

}  // namespace

QByteArray CTextScrambler::Encode(QByteArrayView plain) {
    QByteArray scrambled;
    scrambled.reserve(plain.size() * 2);
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const unsigned char mixed = static_cast<unsigned char>(plain[i]) ^ KeyAt(i);
        scrambled.append(static_cast<char>(kFirstLetter + mixed / kLetters));
        scrambled.append(static_cast<char>(kFirstLetter + mixed % kLetters));
    }
    return scrambled;
}

QByteArray CTextScrambler::Decode(QByteArrayView scrambled) {
    if (scrambled.size() % 2 != 0) {
        return {};
    }
    QByteArray plain(scrambled.size() / 2, '\0');
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const int high = LetterValue(scrambled[2 * i]);
        const int low = LetterValue(scrambled[2 * i + 1]);
        if (high < 0 || low < 0) {
            return {};
        }
        plain[i] = static_cast<char>((high * kLetters + low) ^ KeyAt(i));
    }
    return plain;
}

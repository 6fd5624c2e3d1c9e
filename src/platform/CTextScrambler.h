#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Hides the listener's ID in the character page's request ("ei"), so the page can tell the ID
// came from this program and not from a typed address. The encoding is our own and simple on
// purpose: byte i is XOR-ed with a key that changes with its position (so "aaaa" shows no
// repeats), and each result is written as two letters 'a'..'p' (high nibble, then low nibble).
// Letters only, so the text passes unchanged through any form or address encoding; twice the
// input length, well inside the four times the request allows.
class CTextScrambler {
public:
    static QByteArray Encode(QByteArrayView plain);
    // The bytes Encode was given, or a null array for text Encode cannot have written.
    static QByteArray Decode(QByteArrayView scrambled);
};

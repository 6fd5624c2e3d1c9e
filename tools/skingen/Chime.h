#pragma once

#include <QByteArray>

// The sound played when a listener clicks a character: a short two-note chime, synthesised
// sample by sample (no randomness), as a 16-bit mono PCM wave file.
class Chime {
public:
    static QByteArray Wave();

private:
    static double Sample(double seconds);
};

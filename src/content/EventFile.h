#pragma once

#include <QByteArrayView>

#include "content/AppState.h"

// The event file: the banner's link and image, the character sprites' link and their timing
// line "[QUILO_TIME]" (enabled, on ms, off ms).
//
// Stores the three addresses into `state`, decoded from the Korean code page; the timing only
// when all three numbers are there, otherwise the sprites keep their timing.
void ParseEventFile(QByteArrayView text, AppState& state);

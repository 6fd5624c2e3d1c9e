#pragma once

#include <QByteArrayView>

#include "content/AppState.h"

// A program's info file: title, the two links and their button images, whether the program is
// also on the visual stream, whether it is live, its scrolling text with its link and its
// description, each under its key in this order and the whole closed by "[END]".
//
// Stores every value into `state`, decoded from the Korean code page; a missing key stores an
// empty value. The other fields of `state` stay as they were.
void ParseProgramInfo(QByteArrayView text, AppState& state);

#pragma once

#include <QFont>
#include <QString>

// Fonts by the names the skinned windows ask for. "MS Sans Serif" does not exist here; it is
// replaced by a sans face that has Korean glyphs, since every text may be Korean.
//
// `cellHeight` is the height of a character cell in pixels, `weight` 400 (normal) to 700 (bold).
QFont SkinFont(const QString& faceName, int cellHeight, int weight, bool underline);

// The font the skinned controls start with, the dialogs' own "MS Sans Serif".
QFont DialogFont();

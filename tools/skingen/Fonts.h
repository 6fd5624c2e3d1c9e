#pragma once

#include <QFont>

// The few typefaces the skins are lettered in, all from the Nanum family (Korean and Latin
// glyphs), loaded from their files so that the output never depends on the desktop's fonts.
class Fonts {
public:
    enum class Face { Gothic, Square, Round };

    // Loads the font files; false when one of them is missing.
    static bool Load();

    // A font of the given pixel size, unhinted so glyph shapes do not depend on the rasteriser's
    // hinting settings.
    static QFont Get(Face face, double pixelSize, bool bold = false);
};

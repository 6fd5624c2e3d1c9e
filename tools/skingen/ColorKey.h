#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

// Turns drawings with an alpha channel into the keyed, opaque bitmaps the player shows: pure blue
// marks "see-through", every other colour is shown as it is.
class ColorKey {
public:
    static constexpr QRgb kKey = 0xff0000ff;  // RGB(0,0,255)

    // How partly covered pixels at a drawing's edge are decided.
    enum class Edge {
        // less than half covered: see-through; otherwise opaque. For bitmaps that move about or
        // whose surroundings are unknown (window outlines, sprites, the slider's thumb).
        Hard,
        // only untouched pixels are see-through; every touched one is blended with the matte.
        // For bitmaps that always sit on the same spot of a known background: their edges are
        // then exactly as smooth as if drawn on it.
        Soft,
    };

    // Turns `art` into a keyed bitmap. Opaque pixels keep their colour; a partly covered pixel
    // that stays is blended with `matte` (the picture the bitmap will sit on, read at `matteAt`
    // plus the pixel's offset) so no bluish fringe appears; without a matte it keeps its own
    // colour at full strength.
    static QImage Flatten(const QImage& art, const QImage* matte = nullptr, QPoint matteAt = {},
                          Edge edge = Edge::Hard);

    // Draws `art` (with alpha) over `base` at `at`. Pixels the art leaves untouched keep the
    // base's colour, the key included.
    static QImage Over(const QImage& base, const QImage& art, QPoint at);

    // A shown colour may never be taken for the key or, by the slider, for a hole (pure black).
    static QRgb Visible(QRgb colour);

    // Whether the pixel is see-through.
    static bool IsKey(QRgb pixel) { return (pixel & 0xffffff) == (kKey & 0xffffff); }
};

#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

// The pictograms on buttons and menu images, drawn as vector shapes into any square box so the
// same play triangle serves a 44-pixel button and a 16-pixel menu image.
class Glyph {
public:
    enum class Kind {
        Play,
        Stop,
        Speaker,       // sound on
        SpeakerMuted,  // sound off
        Screen,        // seeing radio: a screen with a play mark
        Info,
        Minimize,  // to the mini face
        Restore,   // back to the full face
        Hide,      // down into the tray
        Close,
        Send,
        Check,
        Clock,
        List,
        Gear,
        Palette,
        Globe,
    };

    static void Draw(QPainter& p, Kind kind, const QRectF& box, const QColor& ink);
};

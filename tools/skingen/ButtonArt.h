#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "Glyph.h"

struct Theme;

// How one bitmap button looks: its outline, its face colours and what is written on it.
struct ButtonLook {
    enum class Shape { Circle, Rounded, Capsule, Text };
    QSize size;
    Shape shape = Shape::Rounded;
    double radius = 6;
    QColor top, bottom, edge, ink;
    bool hasGlyph = false;
    Glyph::Kind glyph = Glyph::Kind::Play;
    Glyph::Kind pressedGlyph = Glyph::Kind::Play;  // the mute button changes its picture
    double glyphSize = 0.55;                       // of the button's height
    QString label;
    QFont font;
};

// Renders buttons and check boxes in their two states. A pressed button is darker, lit from
// below and its picture sits one pixel lower right, so a press is plain to see.
class ButtonArt {
public:
    static QImage Render(const ButtonLook& look, bool pressed);

    // The ordinary, the accented (play, OK) and the plain-text (link) looks of a theme.
    static ButtonLook Plain(const Theme& theme, QSize size, ButtonLook::Shape shape);
    static ButtonLook Accent(const Theme& theme, QSize size, ButtonLook::Shape shape);
    static ButtonLook Link(const Theme& theme, QSize size, const QString& label);
    static ButtonLook WithGlyph(ButtonLook look, Glyph::Kind glyph, double glyphSize = 0.55);
    static ButtonLook WithLabel(ButtonLook look, const QString& label, const QFont& font);

    // A check box with its label; `ticked` draws the filled box with a tick.
    static QImage Check(const Theme& theme, QSize size, const QString& label, const QFont& font,
                        bool ticked);

private:
    static void Face(QPainter& p, const ButtonLook& look, bool pressed);
    static void Content(QPainter& p, const ButtonLook& look, bool pressed);
};

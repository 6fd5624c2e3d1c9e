#pragma once

#include <QPainter>
#include <QPainterPath>
#include <QRect>
#include <QSize>
#include <QString>

struct Theme;

// The body every window of a skin is cut from, and the recurring pieces painted on it: the
// header band with its lettering, sunken frames around the areas the player fills with text,
// and the dark display screens.
class Shell {
public:
    // A rounded window outline, kept half a pixel inside the bitmap so its edge pixels are
    // decided by coverage, not by the bitmap's border.
    static QPainterPath Outline(QSize size, double radius);

    // Fills `body` with the shell, with a header band `header` pixels high.
    static void Paint(QPainter& p, const Theme& theme, const QPainterPath& body, int header);
    // A dialog: the shell, and its title in the header band.
    static void Dialog(QPainter& p, const Theme& theme, QSize size, int header,
                       const QString& title);

    // The "Quilo" word mark with its little radio waves; returns its width.
    static double Logo(QPainter& p, const Theme& theme, QPointF baseline, double pixelSize);

    // A sunken frame around `inner` (the area the player fills): `inner` itself is painted in
    // `fill` so the window looks right before the player draws.
    static void Well(QPainter& p, const Theme& theme, const QRect& inner, const QColor& fill,
                     int margin = 3);
    // A dark display screen with a faint glass sheen.
    static void Screen(QPainter& p, const Theme& theme, const QRectF& r, double radius);

    static void Label(QPainter& p, const Theme& theme, const QRectF& r, const QString& text,
                      double pixelSize, int align = Qt::AlignLeft | Qt::AlignVCenter,
                      bool bold = false);
};

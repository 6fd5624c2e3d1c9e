#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

// Small painting recipes shared by every bitmap: rounded shapes with gradients, raised and
// sunken bevels, gloss and lettering. All drawing is antialiased onto transparent canvases.
class Art {
public:
    // A transparent canvas to draw on, and a painter set up for smooth shapes and text.
    static QImage Canvas(QSize size);
    static void Prepare(QPainter& p);

    static QPainterPath Rounded(const QRectF& r, double radius);
    static QPainterPath Capsule(const QRectF& r);

    static QColor Mix(const QColor& a, const QColor& b, double t);
    static QColor Alpha(const QColor& c, int alpha);

    // Fills with a vertical gradient across `span`.
    static void Fill(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
                     const QRectF& span);
    // A raised surface: gradient, a light line along the inside of the top edge and an outline
    // kept inside the shape, so the hard cut at the edge never clips it.
    static void Raised(QPainter& p, const QPainterPath& path, const QColor& top,
                       const QColor& bottom, const QColor& edge);
    // A sunken well: dark upper inner edge, light lower outer edge.
    static void Sunken(QPainter& p, const QRectF& r, double radius, const QColor& fill,
                       const QColor& dark, const QColor& light);
    // A soft white sheen over the upper part of a shape.
    static void Gloss(QPainter& p, const QPainterPath& path, int strength);

    static void Text(QPainter& p, const QRectF& r, int flags, const QString& text,
                     const QFont& font, const QColor& ink,
                     const QColor& shadow = QColor(Qt::transparent));
    static double TextWidth(const QFont& font, const QString& text);

    // Saves a finished picture the way the player loads bitmaps: an uncompressed 24-bit Windows
    // bitmap at 72 dots per inch. Alpha is dropped, so see-through parts must already be painted
    // in the colour key.
    static bool WriteBmp(const QImage& image, const QString& path);
};

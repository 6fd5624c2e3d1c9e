#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

struct Theme;

// "Quilo", the station's little character: a round chick wearing headphones. It hops about the
// main window's display, and a simpler head of it is the program's icon.
class Mascot {
public:
    enum class Pose { Singing, Waving };

    static void Draw(QPainter& p, const QRectF& box, const Theme& theme, Pose pose);
    // A head only, for small marks (icons, thumbnails).
    static void Head(QPainter& p, const QRectF& box, const QColor& body, const QColor& phones);

private:
    static void Face(QPainter& p, const QPointF& centre, double r, bool singing);
    static void Phones(QPainter& p, const QPointF& centre, double r, const QColor& colour);
};

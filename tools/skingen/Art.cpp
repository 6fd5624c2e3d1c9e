#include "Art.h"

#include <QFontMetricsF>
#include <QLinearGradient>

namespace {

constexpr int kDotsPerMetre = 2835;  // 72 dots per inch

}  // namespace

QImage Art::Canvas(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void Art::Prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QPainterPath Art::Rounded(const QRectF& r, double radius) {
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QPainterPath Art::Capsule(const QRectF& r) {
    return Rounded(r, qMin(r.width(), r.height()) / 2.0);
}

QColor Art::Mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t),
                            static_cast<float>(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor Art::Alpha(const QColor& c, int alpha) {
    QColor out = c;
    out.setAlpha(alpha);
    return out;
}

void Art::Fill(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
               const QRectF& span) {
    QLinearGradient g(span.topLeft(), span.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillPath(path, g);
}

void Art::Raised(QPainter& p, const QPainterPath& path, const QColor& top, const QColor& bottom,
                 const QColor& edge) {
    const QRectF box = path.boundingRect();
    Fill(p, path, top, bottom, box);
    p.save();
    p.setClipPath(path);
    // the light catches the upper inside edge
    QPainterPath lower = path.translated(0, 1.4);
    p.fillPath(path.subtracted(lower), Alpha(Qt::white, 150));
    QPainterPath upper = path.translated(0, -1.2);
    p.fillPath(path.subtracted(upper), Alpha(Qt::black, 40));
    p.restore();
    p.save();
    p.setClipPath(path);
    p.setPen(QPen(edge, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void Art::Sunken(QPainter& p, const QRectF& r, double radius, const QColor& fill,
                 const QColor& dark, const QColor& light) {
    const QPainterPath outer = Rounded(r, radius);
    p.fillPath(outer, light);
    const QPainterPath inner = Rounded(r.adjusted(0, 0, 0, -1), radius);
    p.fillPath(inner, dark);
    p.fillPath(Rounded(r.adjusted(1, 1.3, -1, -1), qMax(0.0, radius - 1)), fill);
}

void Art::Gloss(QPainter& p, const QPainterPath& path, int strength) {
    const QRectF box = path.boundingRect();
    QLinearGradient g(box.topLeft(), QPointF(box.left(), box.center().y()));
    g.setColorAt(0, Alpha(Qt::white, strength));
    g.setColorAt(1, Alpha(Qt::white, strength / 6));
    QPainterPath top;
    top.addRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.5));
    p.fillPath(path.intersected(top), g);
}

void Art::Text(QPainter& p, const QRectF& r, int flags, const QString& text, const QFont& font,
               const QColor& ink, const QColor& shadow) {
    p.save();
    p.setFont(font);
    if (shadow.alpha() > 0) {
        p.setPen(shadow);
        p.drawText(r.translated(0, 1), flags, text);
    }
    p.setPen(ink);
    p.drawText(r, flags, text);
    p.restore();
}

double Art::TextWidth(const QFont& font, const QString& text) {
    return QFontMetricsF(font).horizontalAdvance(text);
}

bool Art::WriteBmp(const QImage& image, const QString& path) {
    // Qt writes a picture without alpha as 24 bits per pixel, bottom-up rows padded to four
    // bytes; fixing the resolution keeps the bytes the same from run to run.
    QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    opaque.setDotsPerMeterX(kDotsPerMetre);
    opaque.setDotsPerMeterY(kDotsPerMetre);
    return opaque.save(path, "BMP");
}

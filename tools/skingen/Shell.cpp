#include "Shell.h"

#include <QLinearGradient>

#include "Art.h"
#include "Fonts.h"
#include "Theme.h"

QPainterPath Shell::Outline(QSize size, double radius) {
    return Art::Rounded(QRectF(0.5, 0.5, size.width() - 1.0, size.height() - 1.0), radius);
}

void Shell::Paint(QPainter& p, const Theme& theme, const QPainterPath& body, int header) {
    const QRectF box = body.boundingRect();
    Art::Fill(p, body, theme.shellTop, theme.shellBottom, box);
    p.save();
    p.setClipPath(body);
    if (header > 0) {
        const QRectF band(box.left(), box.top(), box.width(), header);
        QLinearGradient g(band.topLeft(), band.topRight());
        g.setColorAt(0, theme.headerTop);
        g.setColorAt(1, theme.headerBottom);
        p.fillRect(band, g);
        Art::Gloss(p, Art::Rounded(band, 0), 70);
        p.fillRect(QRectF(box.left(), band.bottom() - 1.0, box.width(), 1),
                   Art::Alpha(Qt::black, 60));
        p.fillRect(QRectF(box.left(), band.bottom(), box.width(), 1), theme.shellHighlight);
    }
    // a rim: light just inside, the dark edge outermost
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Art::Alpha(theme.shellHighlight, 150), 1.0));
    p.drawPath(Art::Rounded(box.adjusted(2, 2, -2, -2), qMax(1.0, theme.radius - 2.0)));
    p.setPen(QPen(theme.shellEdge, 3.0));
    p.drawPath(body);
    p.restore();
}

void Shell::Dialog(QPainter& p, const Theme& theme, QSize size, int header, const QString& title) {
    Paint(p, theme, Outline(size, theme.radius), header);
    const double px = header * 0.46;
    const double logo = Logo(p, theme, QPointF(14, header * 0.5 + px * 0.36), px);
    Art::Text(p, QRectF(14 + logo + 8, 0, size.width() - logo - 60, header),
              Qt::AlignLeft | Qt::AlignVCenter, title, Fonts::Get(Fonts::Face::Gothic, 12, true),
              theme.headerInkSoft);
}

double Shell::Logo(QPainter& p, const Theme& theme, QPointF baseline, double pixelSize) {
    const QFont font = Fonts::Get(theme.titleFace, pixelSize, true);
    const QString word = QStringLiteral("Quilo");
    p.save();
    p.setFont(font);
    p.setPen(Art::Alpha(Qt::black, 60));
    p.drawText(baseline + QPointF(0, 1), word);
    p.setPen(theme.headerInk);
    p.drawText(baseline, word);
    const double width = Art::TextWidth(font, word);
    // three radio waves above the final letter
    p.setBrush(Qt::NoBrush);
    const QPointF source(baseline.x() + width + 1, baseline.y() - pixelSize * 0.62);
    for (int i = 1; i <= 2; ++i) {
        const double r = pixelSize * 0.17 * i;
        p.setPen(QPen(Art::Alpha(theme.headerInk, 230 - 60 * i), pixelSize * 0.09, Qt::SolidLine,
                      Qt::RoundCap));
        p.drawArc(QRectF(source.x() - r, source.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
    }
    p.restore();
    return width + pixelSize * 0.4;
}

void Shell::Well(QPainter& p, const Theme& theme, const QRect& inner, const QColor& fill,
                 int margin) {
    const QRectF outer = QRectF(inner).adjusted(-margin, -margin, margin, margin);
    Art::Sunken(p, outer, margin + 2.0, theme.wellFill, theme.wellDark, theme.wellLight);
    p.fillRect(inner, fill);
}

void Shell::Screen(QPainter& p, const Theme& theme, const QRectF& r, double radius) {
    Art::Sunken(p, r, radius, theme.screenTop, theme.wellDark, theme.wellLight);
    const QPainterPath glass = Art::Rounded(r.adjusted(1.5, 1.5, -1.5, -1.5), radius - 1);
    Art::Fill(p, glass, theme.screenTop, theme.screenBottom, r);
    p.save();
    p.setClipPath(glass);
    // the glass reflects a soft diagonal band
    QPainterPath band;
    band.moveTo(r.left(), r.top());
    band.lineTo(r.left() + r.width() * 0.55, r.top());
    band.lineTo(r.left() + r.width() * 0.35, r.bottom());
    band.lineTo(r.left(), r.bottom());
    band.closeSubpath();
    p.fillPath(band, Art::Alpha(Qt::white, 10));
    p.setPen(QPen(Art::Alpha(theme.screenEdge, 120), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glass);
    p.restore();
}

void Shell::Label(QPainter& p, const Theme& theme, const QRectF& r, const QString& text,
                  double pixelSize, int align, bool bold) {
    Art::Text(p, r, align, text, Fonts::Get(Fonts::Face::Gothic, pixelSize, bold), theme.ink);
}

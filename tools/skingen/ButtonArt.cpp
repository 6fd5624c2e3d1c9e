#include "ButtonArt.h"

#include <QPainter>

#include "Art.h"
#include "Theme.h"

namespace {

QPainterPath Outline(const ButtonLook& look) {
    const QRectF r(0.5, 0.5, look.size.width() - 1.0, look.size.height() - 1.0);
    switch (look.shape) {
        case ButtonLook::Shape::Circle: {
            QPainterPath path;
            path.addEllipse(r);
            return path;
        }
        case ButtonLook::Shape::Capsule:
            return Art::Capsule(r);
        case ButtonLook::Shape::Rounded:
        case ButtonLook::Shape::Text:
            break;
    }
    return Art::Rounded(r, look.radius);
}

}  // namespace

void ButtonArt::Face(QPainter& p, const ButtonLook& look, bool pressed) {
    const QPainterPath path = Outline(look);
    if (!pressed) {
        Art::Raised(p, path, look.top, look.bottom, look.edge);
        Art::Gloss(p, path, 90);
        return;
    }
    // pressed: sunk in, darker, the light now at the bottom
    const QColor top = Art::Mix(look.bottom, Qt::black, 0.22);
    const QColor bottom = Art::Mix(look.top, Qt::black, 0.08);
    Art::Fill(p, path, top, bottom, path.boundingRect());
    p.save();
    p.setClipPath(path);
    p.fillPath(path.subtracted(path.translated(0, 2.5)), Art::Alpha(Qt::black, 70));
    p.setPen(QPen(look.edge, 2.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void ButtonArt::Content(QPainter& p, const ButtonLook& look, bool pressed) {
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF(0, 0);
    const QRectF area = QRectF(QPointF(0, 0), QSizeF(look.size)).translated(shift);
    const double g = look.size.height() * look.glyphSize;
    const Glyph::Kind glyph = pressed ? look.pressedGlyph : look.glyph;
    if (look.hasGlyph && look.label.isEmpty()) {
        const QRectF box(area.center().x() - g / 2, area.center().y() - g / 2, g, g);
        Glyph::Draw(p, glyph, box, look.ink);
        return;
    }
    if (!look.hasGlyph) {
        Art::Text(p, area, Qt::AlignCenter, look.label, look.font, look.ink);
        return;
    }
    const double gap = g * 0.3;
    const double width = g + gap + Art::TextWidth(look.font, look.label);
    const double left = area.center().x() - width / 2;
    Glyph::Draw(p, glyph, QRectF(left, area.center().y() - g / 2, g, g), look.ink);
    Art::Text(p, QRectF(left + g + gap, area.top(), width, area.height()),
              Qt::AlignLeft | Qt::AlignVCenter, look.label, look.font, look.ink);
}

QImage ButtonArt::Render(const ButtonLook& look, bool pressed) {
    QImage image = Art::Canvas(look.size);
    QPainter p(&image);
    Art::Prepare(p);
    if (look.shape == ButtonLook::Shape::Text) {
        // a text link: underlined text, on a faint capsule while pressed
        if (pressed) {
            p.fillPath(Outline(look), look.bottom);
        }
        QFont font = look.font;
        font.setUnderline(true);
        Art::Text(p, QRectF(QPointF(pressed ? 1 : 0, pressed ? 1 : 0), QSizeF(look.size)),
                  Qt::AlignCenter, look.label, font, look.ink);
        return image;
    }
    Face(p, look, pressed);
    Content(p, look, pressed);
    return image;
}

ButtonLook ButtonArt::Plain(const Theme& theme, QSize size, ButtonLook::Shape shape) {
    ButtonLook look;
    look.size = size;
    look.shape = shape;
    look.top = theme.buttonTop;
    look.bottom = theme.buttonBottom;
    look.edge = theme.buttonEdge;
    look.ink = theme.buttonInk;
    return look;
}

ButtonLook ButtonArt::Accent(const Theme& theme, QSize size, ButtonLook::Shape shape) {
    ButtonLook look = Plain(theme, size, shape);
    look.top = theme.accentTop;
    look.bottom = theme.accentBottom;
    look.edge = theme.accentEdge;
    look.ink = theme.accentInk;
    return look;
}

ButtonLook ButtonArt::Link(const Theme& theme, QSize size, const QString& label) {
    ButtonLook look;
    look.size = size;
    look.shape = ButtonLook::Shape::Text;
    look.radius = size.height() / 2.0;
    look.top = theme.shellTop;
    look.bottom = Art::Mix(theme.shellTop, theme.ink, 0.15);
    look.edge = theme.shellTop;
    look.ink = theme.inkSoft;
    look.label = label;
    return look;
}

ButtonLook ButtonArt::WithGlyph(ButtonLook look, Glyph::Kind glyph, double glyphSize) {
    look.hasGlyph = true;
    look.glyph = glyph;
    look.pressedGlyph = glyph;
    look.glyphSize = glyphSize;
    return look;
}

ButtonLook ButtonArt::WithLabel(ButtonLook look, const QString& label, const QFont& font) {
    look.label = label;
    look.font = font;
    return look;
}

QImage ButtonArt::Check(const Theme& theme, QSize size, const QString& label, const QFont& font,
                        bool ticked) {
    QImage image = Art::Canvas(size);
    QPainter p(&image);
    Art::Prepare(p);
    const double box = qMin(size.height() - 1.0, 15.0);
    const QRectF r(0.5, (size.height() - box) / 2, box, box);
    const QPainterPath path = Art::Rounded(r, 3.5);
    if (ticked) {
        Art::Raised(p, path, theme.accentTop, theme.accentBottom, theme.accentEdge);
        Glyph::Draw(p, Glyph::Kind::Check, r.adjusted(2, 2, -2, -2), theme.checkTick);
    } else {
        Art::Raised(p, path, theme.fieldBack, Art::Mix(theme.fieldBack, theme.wellDark, 0.25),
                    theme.buttonEdge);
    }
    const QRectF text(box + 6, 0, size.width() - box - 6, size.height());
    Art::Text(p, text, Qt::AlignLeft | Qt::AlignVCenter, label, font, theme.ink);
    return image;
}

#include "Mascot.h"

#include <QPainterPath>

#include "Art.h"
#include "Theme.h"

void Mascot::Face(QPainter& p, const QPointF& c, double r, bool singing) {
    const QColor eye(40, 30, 50);
    p.setPen(Qt::NoPen);
    p.setBrush(eye);
    p.drawEllipse(QPointF(c.x() - r * 0.36, c.y() - r * 0.08), r * 0.12, r * 0.15);
    p.drawEllipse(QPointF(c.x() + r * 0.36, c.y() - r * 0.08), r * 0.12, r * 0.15);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x() - r * 0.32, c.y() - r * 0.14), r * 0.045, r * 0.05);
    p.drawEllipse(QPointF(c.x() + r * 0.40, c.y() - r * 0.14), r * 0.045, r * 0.05);
    // cheeks
    p.setBrush(QColor(255, 130, 140, 150));
    p.drawEllipse(QPointF(c.x() - r * 0.58, c.y() + r * 0.2), r * 0.14, r * 0.09);
    p.drawEllipse(QPointF(c.x() + r * 0.58, c.y() + r * 0.2), r * 0.14, r * 0.09);
    // beak, open while singing
    QPainterPath beak;
    beak.moveTo(c.x() - r * 0.16, c.y() + r * 0.1);
    beak.lineTo(c.x() + r * 0.16, c.y() + r * 0.1);
    beak.lineTo(c.x(), c.y() + (singing ? r * 0.4 : r * 0.3));
    beak.closeSubpath();
    p.setBrush(QColor(255, 150, 40));
    p.drawPath(beak);
}

void Mascot::Phones(QPainter& p, const QPointF& c, double r, const QColor& colour) {
    QPen band(colour, r * 0.16);
    band.setCapStyle(Qt::RoundCap);
    p.setPen(band);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r * 0.95, c.y() - r * 1.08, r * 1.9, r * 1.9), 15 * 16, 150 * 16);
    p.setPen(Qt::NoPen);
    const QRectF left(c.x() - r * 1.12, c.y() - r * 0.3, r * 0.4, r * 0.62);
    const QRectF right(c.x() + r * 0.72, c.y() - r * 0.3, r * 0.4, r * 0.62);
    for (const QRectF& cup : {left, right}) {
        const QPainterPath path = Art::Rounded(cup, r * 0.16);
        Art::Fill(p, path, colour.lighter(130), colour.darker(125), cup);
    }
}

void Mascot::Draw(QPainter& p, const QRectF& box, const Theme& theme, Pose pose) {
    const double r = qMin(box.width(), box.height()) * 0.38;
    const QPointF c(box.center().x(), box.top() + box.height() * 0.52);
    // little feet
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 150, 40));
    p.drawEllipse(QPointF(c.x() - r * 0.35, c.y() + r * 0.98), r * 0.2, r * 0.1);
    p.drawEllipse(QPointF(c.x() + r * 0.35, c.y() + r * 0.98), r * 0.2, r * 0.1);
    // body with a lighter belly
    QPainterPath body;
    body.addEllipse(c, r, r);
    Art::Raised(p, body, theme.mascotBody.lighter(115), theme.mascotBody.darker(112),
                theme.mascotBody.darker(160));
    QPainterPath belly;
    belly.addEllipse(QPointF(c.x(), c.y() + r * 0.42), r * 0.55, r * 0.42);
    p.fillPath(belly.intersected(body), theme.mascotBelly);
    // a wing raised when waving
    p.setBrush(theme.mascotBody.darker(118));
    if (pose == Pose::Waving) {
        p.save();
        p.translate(c.x() + r * 0.95, c.y() - r * 0.05);
        p.rotate(-40);
        p.drawEllipse(QPointF(0, 0), r * 0.18, r * 0.38);
        p.restore();
    }
    Face(p, c, r, pose == Pose::Singing);
    Phones(p, c, r, theme.mascotPhones);
    if (pose == Pose::Singing) {
        // a note floating up
        p.setPen(QPen(theme.mascotPhones, r * 0.09));
        p.drawLine(QPointF(c.x() + r * 1.12, c.y() - r * 0.95),
                   QPointF(c.x() + r * 1.12, c.y() - r * 1.45));
        p.setPen(Qt::NoPen);
        p.setBrush(theme.mascotPhones);
        p.drawEllipse(QPointF(c.x() + r * 1.02, c.y() - r * 0.93), r * 0.14, r * 0.11);
    }
}

void Mascot::Head(QPainter& p, const QRectF& box, const QColor& bodyColour, const QColor& phones) {
    const double r = qMin(box.width(), box.height()) * 0.36;
    const QPointF c(box.center().x(), box.center().y() + r * 0.12);
    QPainterPath body;
    body.addEllipse(c, r, r);
    Art::Fill(p, body, bodyColour.lighter(115), bodyColour.darker(110), body.boundingRect());
    Face(p, c, r, true);
    Phones(p, c, r, phones);
}

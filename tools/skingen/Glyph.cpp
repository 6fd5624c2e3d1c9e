#include "Glyph.h"

#include <QPainterPath>
#include <QtMath>

namespace {

// All shapes are drawn in a unit square; the pen width is in unit coordinates too.
QPen Stroke(const QColor& ink, double width) {
    QPen pen(ink, width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void Play(QPainter& p, const QColor& ink) {
    QPainterPath path;
    path.moveTo(0.28, 0.16);
    path.lineTo(0.86, 0.5);
    path.lineTo(0.28, 0.84);
    path.closeSubpath();
    p.setPen(Stroke(ink, 0.08));
    p.setBrush(ink);
    p.drawPath(path);
}

void Stop(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 0.06));
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(0.22, 0.22, 0.56, 0.56), 0.08, 0.08);
}

void SpeakerBody(QPainter& p, const QColor& ink) {
    QPainterPath path;
    path.moveTo(0.08, 0.36);
    path.lineTo(0.26, 0.36);
    path.lineTo(0.5, 0.14);
    path.lineTo(0.5, 0.86);
    path.lineTo(0.26, 0.64);
    path.lineTo(0.08, 0.64);
    path.closeSubpath();
    p.setPen(Stroke(ink, 0.06));
    p.setBrush(ink);
    p.drawPath(path);
}

void Speaker(QPainter& p, const QColor& ink) {
    SpeakerBody(p, ink);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.08));
    p.drawArc(QRectF(0.42, 0.32, 0.24, 0.36), -50 * 16, 100 * 16);
    p.drawArc(QRectF(0.38, 0.16, 0.5, 0.68), -50 * 16, 100 * 16);
}

void SpeakerMuted(QPainter& p, const QColor& ink) {
    SpeakerBody(p, ink);
    p.setPen(Stroke(ink, 0.09));
    p.drawLine(QPointF(0.62, 0.36), QPointF(0.9, 0.64));
    p.drawLine(QPointF(0.9, 0.36), QPointF(0.62, 0.64));
}

void Screen(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.08));
    p.drawRoundedRect(QRectF(0.08, 0.18, 0.84, 0.56), 0.08, 0.08);
    p.drawLine(QPointF(0.34, 0.88), QPointF(0.66, 0.88));
    p.drawLine(QPointF(0.5, 0.74), QPointF(0.5, 0.88));
    QPainterPath tri;
    tri.moveTo(0.42, 0.33);
    tri.lineTo(0.62, 0.46);
    tri.lineTo(0.42, 0.59);
    tri.closeSubpath();
    p.setPen(Stroke(ink, 0.04));
    p.setBrush(ink);
    p.drawPath(tri);
}

void Info(QPainter& p, const QColor& ink) {
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(0.5, 0.2), 0.1, 0.1);
    p.setPen(Stroke(ink, 0.17));
    p.drawLine(QPointF(0.5, 0.44), QPointF(0.5, 0.82));
    p.setPen(Stroke(ink, 0.1));
    p.drawLine(QPointF(0.36, 0.42), QPointF(0.5, 0.42));
}

void Minimize(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 0.09));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.14, 0.2, 0.72, 0.6), 0.06, 0.06);
    p.setBrush(ink);
    p.drawRect(QRectF(0.44, 0.52, 0.3, 0.18));
}

void Restore(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 0.09));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(0.14, 0.18, 0.72, 0.64), 0.06, 0.06);
    p.drawLine(QPointF(0.14, 0.36), QPointF(0.86, 0.36));
}

void Hide(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 0.11));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0.22, 0.8), QPointF(0.78, 0.8));
    QPainterPath chevron;
    chevron.moveTo(0.28, 0.3);
    chevron.lineTo(0.5, 0.54);
    chevron.lineTo(0.72, 0.3);
    p.drawPath(chevron);
}

void Close(QPainter& p, const QColor& ink) {
    p.setPen(Stroke(ink, 0.13));
    p.drawLine(QPointF(0.26, 0.26), QPointF(0.74, 0.74));
    p.drawLine(QPointF(0.74, 0.26), QPointF(0.26, 0.74));
}

void Send(QPainter& p, const QColor& ink) {
    QPainterPath plane;
    plane.moveTo(0.08, 0.46);
    plane.lineTo(0.92, 0.12);
    plane.lineTo(0.66, 0.88);
    plane.lineTo(0.46, 0.58);
    plane.closeSubpath();
    p.setPen(Stroke(ink, 0.06));
    p.setBrush(ink);
    p.drawPath(plane);
}

void Check(QPainter& p, const QColor& ink) {
    QPainterPath tick;
    tick.moveTo(0.16, 0.52);
    tick.lineTo(0.4, 0.76);
    tick.lineTo(0.86, 0.22);
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.17));
    p.drawPath(tick);
}

void Clock(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.09));
    p.drawEllipse(QPointF(0.5, 0.5), 0.38, 0.38);
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.5, 0.26));
    p.drawLine(QPointF(0.5, 0.5), QPointF(0.68, 0.6));
}

void List(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.08));
    p.drawRoundedRect(QRectF(0.12, 0.16, 0.76, 0.72), 0.06, 0.06);
    p.drawLine(QPointF(0.12, 0.34), QPointF(0.88, 0.34));
    for (double y : {0.5, 0.64, 0.78}) {
        p.drawLine(QPointF(0.26, y), QPointF(0.74, y));
    }
}

void Gear(QPainter& p, const QColor& ink) {
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a = M_PI * i / teeth;
        const double r = (i % 2 == 0) ? 0.44 : 0.32;
        const double b = M_PI * (i + 1) / teeth;
        const QPointF from(0.5 + r * qCos(a), 0.5 + r * qSin(a));
        const QPointF to(0.5 + r * qCos(b), 0.5 + r * qSin(b));
        if (i == 0) {
            gear.moveTo(from);
        } else {
            gear.lineTo(from);
        }
        gear.lineTo(to);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(0.5, 0.5), 0.13, 0.13);
    p.setPen(Stroke(ink, 0.04));
    p.setBrush(ink);
    p.drawPath(gear.subtracted(hole));
}

void Palette(QPainter& p, const QColor& ink) {
    QPainterPath board;
    board.addEllipse(QRectF(0.06, 0.12, 0.88, 0.76));
    QPainterPath thumb;
    thumb.addEllipse(QPointF(0.62, 0.68), 0.1, 0.1);
    p.setPen(Stroke(ink, 0.04));
    p.setBrush(ink);
    p.drawPath(board.subtracted(thumb));
    const QColor dots[] = {QColor(250, 90, 80), QColor(255, 210, 60), QColor(70, 200, 120),
                           QColor(90, 150, 250)};
    const QPointF at[] = {{0.28, 0.42}, {0.46, 0.28}, {0.66, 0.34}, {0.3, 0.64}};
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        p.setBrush(dots[i]);
        p.drawEllipse(at[i], 0.09, 0.09);
    }
}

void Globe(QPainter& p, const QColor& ink) {
    p.setBrush(Qt::NoBrush);
    p.setPen(Stroke(ink, 0.07));
    p.drawEllipse(QPointF(0.5, 0.5), 0.4, 0.4);
    p.drawEllipse(QRectF(0.32, 0.1, 0.36, 0.8));
    p.drawLine(QPointF(0.1, 0.5), QPointF(0.9, 0.5));
}

}  // namespace

void Glyph::Draw(QPainter& p, Kind kind, const QRectF& box, const QColor& ink) {
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width(), box.height());
    switch (kind) {
        case Kind::Play:
            Play(p, ink);
            break;
        case Kind::Stop:
            Stop(p, ink);
            break;
        case Kind::Speaker:
            Speaker(p, ink);
            break;
        case Kind::SpeakerMuted:
            SpeakerMuted(p, ink);
            break;
        case Kind::Screen:
            Screen(p, ink);
            break;
        case Kind::Info:
            Info(p, ink);
            break;
        case Kind::Minimize:
            Minimize(p, ink);
            break;
        case Kind::Restore:
            Restore(p, ink);
            break;
        case Kind::Hide:
            Hide(p, ink);
            break;
        case Kind::Close:
            Close(p, ink);
            break;
        case Kind::Send:
            Send(p, ink);
            break;
        case Kind::Check:
            Check(p, ink);
            break;
        case Kind::Clock:
            Clock(p, ink);
            break;
        case Kind::List:
            List(p, ink);
            break;
        case Kind::Gear:
            Gear(p, ink);
            break;
        case Kind::Palette:
            Palette(p, ink);
            break;
        case Kind::Globe:
            Globe(p, ink);
            break;
    }
    p.restore();
}

#include "Visualizer.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include "Art.h"
#include "ColorKey.h"
#include "Fonts.h"
#include "Theme.h"

namespace {

constexpr int kBars = 9;
constexpr int kSegments = 9;

// How high bar `i` stands at time t (0..1 over the loop): whole numbers of cycles per loop.
double Level(int i, double t) {
    const int cycles[kBars] = {1, 2, 3, 1, 2, 1, 3, 2, 1};
    const double phase = i * 1.3;
    const double a = qAbs(qSin(M_PI * cycles[i] * t + phase));
    const double b = qAbs(qSin(M_PI * 2 * t + i * 0.7));
    return 0.18 + 0.78 * (0.65 * a + 0.35 * b);
}

}  // namespace

void Visualizer::Lamp(QPainter& p, const Theme& theme, QPointF at, double t) {
    const double glow = 0.55 + 0.45 * qCos(2 * M_PI * t);
    const QColor lit = Art::Mix(theme.lamp.darker(250), theme.lamp, glow);
    p.setPen(Qt::NoPen);
    p.setBrush(Art::Alpha(theme.lamp, static_cast<int>(70 * glow)));
    p.drawEllipse(at, 5.5, 5.5);
    p.setBrush(lit);
    p.drawEllipse(at, 3.2, 3.2);
    p.setBrush(Art::Alpha(Qt::white, 160));
    p.drawEllipse(at + QPointF(-0.9, -1.0), 1.1, 1.0);
    Art::Text(p, QRectF(at.x() + 7, at.y() - 7, 60, 14), Qt::AlignLeft | Qt::AlignVCenter,
              QStringLiteral("ON AIR"), Fonts::Get(Fonts::Face::Square, 9, true), lit);
}

void Visualizer::Bars(QPainter& p, const Theme& theme, QSize size, double t) {
    const double top = 16;
    const double bottom = size.height() - 4.0;
    const double gap = 2;
    const double width = (size.width() - 8 - gap * (kBars - 1)) / kBars;
    const double segment = (bottom - top) / kSegments;
    for (int i = 0; i < kBars; ++i) {
        const int lit = qMax(1, qRound(Level(i, t) * kSegments));
        const double x = 4 + i * (width + gap);
        for (int s = 0; s < kSegments; ++s) {
            const QRectF cell(x, bottom - (s + 1) * segment + 1, width, segment - 1.2);
            const QColor colour = Art::Mix(theme.barLow, theme.barHigh, s / (kSegments - 1.0));
            p.fillRect(cell, s < lit ? colour : Art::Alpha(colour, 38));
        }
    }
    Lamp(p, theme, QPointF(9, 8), t);
}

void Visualizer::Wave(QPainter& p, const Theme& theme, QSize size, double t) {
    const double mid = (size.height() + 12) / 2.0;
    const double amp = (size.height() - 20) / 2.0;
    // the beam: three sines travelling at whole-loop speeds
    QPainterPath beam;
    for (int x = 2; x <= size.width() - 2; ++x) {
        const double u = static_cast<double>(x) / size.width();
        const double y = 0.55 * qSin(2 * M_PI * (2 * u - t)) +
                         0.3 * qSin(2 * M_PI * (5 * u + 2 * t)) * qSin(M_PI * u) +
                         0.15 * qSin(2 * M_PI * (9 * u - 3 * t));
        const QPointF at(x, mid - y * amp * qSin(M_PI * u));
        if (x == 2) {
            beam.moveTo(at);
        } else {
            beam.lineTo(at);
        }
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Art::Alpha(theme.barLow, 70), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(beam);
    p.setPen(QPen(theme.barHigh, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(beam);
    Lamp(p, theme, QPointF(9, 8), t);
}

QImage Visualizer::Frame(const Theme& theme, Style style, const QImage& screen, int index,
                         int count) {
    QImage art = Art::Canvas(screen.size());
    QPainter p(&art);
    Art::Prepare(p);
    const double t = static_cast<double>(index) / count;
    if (style == Style::Bars) {
        Bars(p, theme, screen.size(), t);
    } else {
        Wave(p, theme, screen.size(), t);
    }
    p.end();
    return ColorKey::Over(screen, art, QPoint(0, 0));
}

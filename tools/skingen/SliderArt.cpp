#include "SliderArt.h"

#include <QPainter>

#include "Art.h"
#include "Theme.h"

namespace {

constexpr double kTrackHeight = 7;

}  // namespace

QImage SliderArt::Channel(const Theme& theme, QSize size, bool active) {
    QImage image = Art::Canvas(size);
    QPainter p(&image);
    Art::Prepare(p);
    const QRectF track(1, (size.height() - kTrackHeight) / 2, size.width() - 2, kTrackHeight);
    const QPainterPath path = Art::Capsule(track);
    p.fillPath(path, theme.trackEdge);
    const QPainterPath inner = Art::Capsule(track.adjusted(1, 1, -1, -1));
    if (active) {
        Art::Fill(p, inner, theme.fillTop, theme.fillBottom, track);
        Art::Gloss(p, inner, 120);
    } else {
        Art::Fill(p, inner, Art::Mix(theme.trackFill, Qt::black, 0.25), theme.trackFill, track);
    }
    return image;
}

QImage SliderArt::Thumb(const Theme& theme, QSize size, bool pressed) {
    QImage image = Art::Canvas(size);
    QPainter p(&image);
    Art::Prepare(p);
    const double d = qMin(size.width(), size.height()) - 1.0;
    const QRectF knob((size.width() - d) / 2, (size.height() - d) / 2, d, d);
    QPainterPath path;
    path.addEllipse(knob);
    const QColor top = pressed ? Art::Mix(theme.thumbBottom, Qt::black, 0.15) : theme.thumbTop;
    const QColor bottom = pressed ? theme.thumbTop : theme.thumbBottom;
    Art::Raised(p, path, top, bottom, theme.thumbEdge);
    if (!pressed) {
        Art::Gloss(p, path, 140);
    }
    // a dimple in the middle, lit by the accent while held
    p.setPen(Qt::NoPen);
    p.setBrush(pressed ? theme.fillTop : Art::Mix(theme.thumbBottom, theme.thumbEdge, 0.5));
    p.drawEllipse(knob.center(), d * 0.16, d * 0.16);
    return image;
}

SliderImages SliderArt::Render(const Theme& theme, QSize channel, int thumbWidth) {
    const QSize thumb(thumbWidth, channel.height());
    return {Channel(theme, channel, false), Channel(theme, channel, true),
            Thumb(theme, thumb, false), Thumb(theme, thumb, true)};
}

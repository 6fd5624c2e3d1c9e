#include "ColorKey.h"

#include <QPainter>

namespace {

// Coverage below this is outside the shape. A hard cut: no pixel is ever half blue.
constexpr int kThreshold = 128;

QRgb Unpremultiplied(QRgb premultiplied) {
    const int a = qAlpha(premultiplied);
    return qRgb(qRed(premultiplied) * 255 / a, qGreen(premultiplied) * 255 / a,
                qBlue(premultiplied) * 255 / a);
}

QRgb Blended(QRgb premultiplied, QRgb under) {
    const int rest = 255 - qAlpha(premultiplied);
    return qRgb(qMin(255, qRed(premultiplied) + (qRed(under) * rest + 127) / 255),
                qMin(255, qGreen(premultiplied) + (qGreen(under) * rest + 127) / 255),
                qMin(255, qBlue(premultiplied) + (qBlue(under) * rest + 127) / 255));
}

}  // namespace

QRgb ColorKey::Visible(QRgb colour) {
    colour |= 0xff000000;
    if (colour == kKey) {
        return qRgb(0, 0, 254);
    }
    if (colour == 0xff000000) {
        return qRgb(1, 1, 1);
    }
    return colour;
}

QImage ColorKey::Flatten(const QImage& art, const QImage* matte, QPoint matteAt, Edge edge) {
    const QImage source = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage out(source.size(), QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            const int a = qAlpha(in[x]);
            const QPoint m(matteAt.x() + x, matteAt.y() + y);
            const bool known = matte && matte->valid(m) && !IsKey(matte->pixel(m));
            const int threshold = (edge == Edge::Soft && known) ? 1 : kThreshold;
            if (a < threshold) {
                line[x] = kKey;
                continue;
            }
            const bool blend = a < 255 && known;
            line[x] = Visible(blend ? Blended(in[x], matte->pixel(m)) : Unpremultiplied(in[x]));
        }
    }
    return out;
}

QImage ColorKey::Over(const QImage& base, const QImage& art, QPoint at) {
    QImage drawn = base.convertToFormat(QImage::Format_RGB32);
    {
        QPainter p(&drawn);
        p.drawImage(at, art);
    }
    // where nothing was drawn the base stays exactly as it was, see-through pixels included;
    // everything drawn must look like a colour, never like the key
    QImage out = base.convertToFormat(QImage::Format_RGB32);
    const QImage cover = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        const auto* source = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QPoint a(x - at.x(), y - at.y());
            if (cover.valid(a) && qAlpha(cover.pixel(a)) > 0) {
                line[x] = Visible(source[x]);
            }
        }
    }
    return out;
}

#include "skin/ColorKey.h"

#include <QBitmap>

QImage WithKeyTransparent(const QImage& image, QRgb key) {
    QImage keyed = image.convertToFormat(QImage::Format_ARGB32);
    // only the colour counts: a bitmap file's pixels may carry any alpha
    const QRgb keyColor = key | 0xFF000000u;
    for (int y = 0; y < keyed.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] | 0xFF000000u) == keyColor) {
                line[x] = 0;
            }
        }
    }
    return keyed;
}

QRegion OpaqueRegion(const QImage& image, QRgb key) {
    QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    // only the colour counts, as for the see-through pixels: an image Qt calls opaque may still
    // hold anything in the pixels' alpha byte (a decoder's raw bytes), which the mask would take
    // for a different colour
    for (int y = 0; y < opaque.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(opaque.scanLine(y));
        for (int x = 0; x < opaque.width(); ++x) {
            line[x] |= 0xFF000000u;
        }
    }
    return QRegion(
        QBitmap::fromImage(opaque.createMaskFromColor(key | 0xFF000000u, Qt::MaskInColor)));
}

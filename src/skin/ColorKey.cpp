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
    const QImage opaque = image.convertToFormat(QImage::Format_RGB32);
    return QRegion(
        QBitmap::fromImage(opaque.createMaskFromColor(key | 0xFF000000u, Qt::MaskInColor)));
}

// A skin's bitmaps as the skin loader reads them: decoded by Qt's BMP decoder, then shaped
// by the colour key (the window's outline and the see-through pixels).
#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>

#include "FuzzCheck.h"
#include "skin/ColorKey.h"

namespace {

// A skin's largest bitmap, the main background, is a few hundred pixels each way. Shaping a
// bigger picture only spends the run's time on Qt's region code.
constexpr qint64 kMostPixelsToShape = 512 * 512;

qint64 KeyPixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    qint64 count = 0;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            count += (line[x] | 0xFF000000u) == kSkinColorKey ? 1 : 0;
        }
    }
    return count;
}

qint64 Area(const QRegion& region) {
    qint64 area = 0;
    for (const QRect& rect : region) {
        area += qint64{rect.width()} * rect.height();
    }
    return area;
}

}  // namespace

// QBitmap, which the outline is made of, needs a running GUI application; no screen is needed
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    // as the skin loader reads a bitmap: with the BMP decoder alone, whatever the bytes look like
    QImageReader reader(&buffer, "bmp");
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QImage image = reader.read();
    if (image.isNull() || qint64{image.width()} * image.height() > kMostPixelsToShape) {
        return 0;
    }
    const QImage keyed = WithKeyTransparent(image, kSkinColorKey);
    FUZZ_CHECK(keyed.size() == image.size());
    const QRegion opaque = OpaqueRegion(image, kSkinColorKey);
    FUZZ_CHECK(image.rect().contains(opaque.boundingRect()) || opaque.isEmpty());
    // the outline holds exactly the pixels that are not of the key colour
    FUZZ_CHECK(Area(opaque) == qint64{image.width()} * image.height() - KeyPixels(image));
    return 0;
}

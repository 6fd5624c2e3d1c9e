#include "Bmp24.h"

#include <QFile>
#include <QtEndian>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(QByteArray& out, int value) {
    const quint16 le = qToLittleEndian(static_cast<quint16>(value));
    out.append(reinterpret_cast<const char*>(&le), 2);
}

void Put32(QByteArray& out, qint64 value) {
    const quint32 le = qToLittleEndian(static_cast<quint32>(value));
    out.append(reinterpret_cast<const char*>(&le), 4);
}

}  // namespace

QByteArray Bmp24::Encode(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) & ~3;
    const qint64 pixelBytes = static_cast<qint64>(stride) * height;

    QByteArray out;
    out.reserve(static_cast<qsizetype>(kFileHeaderSize + kInfoHeaderSize + pixelBytes));
    out.append("BM", 2);
    Put32(out, kFileHeaderSize + kInfoHeaderSize + pixelBytes);
    Put32(out, 0);  // two reserved words
    Put32(out, kFileHeaderSize + kInfoHeaderSize);
    Put32(out, kInfoHeaderSize);
    Put32(out, width);
    Put32(out, height);  // positive: the last row comes first
    Put16(out, 1);       // planes
    Put16(out, 24);      // bits per pixel
    Put32(out, 0);       // BI_RGB, no compression
    Put32(out, pixelBytes);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, 0);  // no palette
    Put32(out, 0);

    for (int y = height - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.append(static_cast<char>(qBlue(line[x])));
            out.append(static_cast<char>(qGreen(line[x])));
            out.append(static_cast<char>(qRed(line[x])));
        }
        out.append(stride - width * 3, '\0');
    }
    return out;
}

bool Bmp24::Write(const QImage& image, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return false;
    }
    const QByteArray bytes = Encode(image);
    return file.write(bytes) == bytes.size();
}

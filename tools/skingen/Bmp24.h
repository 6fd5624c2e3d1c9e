#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Writes Windows device-independent bitmaps the way the player loads them: uncompressed, 24 bits
// per pixel, bottom-up rows padded to four bytes. Every header field is fixed, so the same image
// always gives the same bytes.
class Bmp24 {
public:
    static QByteArray Encode(const QImage& image);
    static bool Write(const QImage& image, const QString& path);
};

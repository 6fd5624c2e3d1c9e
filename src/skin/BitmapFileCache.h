#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QString>

// Skin bitmaps are read from disk whenever they are drawn, so that a file replaced while a
// window is open shows at the next repaint. Decoding the same file on every repaint is wasted
// work, so a decoded copy is kept and reused for as long as the file's size and modification
// time are what they were when it was decoded.
//
// The decoder is chosen by what the file is meant to be, never guessed from its bytes: a file of
// another kind under the expected name (a PNG or a TIFF saved as ".bmp") is no image, so no
// decoder but the expected ones ever sees what a skin or a server supplies.
class BitmapFileCache {
public:
    enum class Formats {
        SkinBitmap,  // BMP only
        Downloaded,  // the pictures the service names: BMP or JPEG
    };

    // The decoded bitmap, or a null image when the file is missing or cannot be decoded as one
    // of `formats`.
    static QImage Load(const QString& path, Formats formats = Formats::SkinBitmap);
    // The same without the cache, for an image read once.
    static QImage Decode(const QString& path, Formats formats = Formats::SkinBitmap);

private:
    struct Entry {
        qint64 fileSize = 0;
        QDateTime modified;
        Formats formats = Formats::SkinBitmap;
        QImage image;
    };
    static QCache<QString, Entry>& Entries();
};

#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QString>

// Skin bitmaps are read from disk whenever they are drawn, so that a file replaced while a
// window is open shows at the next repaint. Decoding the same file on every repaint is wasted
// work, so a decoded copy is kept and reused for as long as the file's size and modification
// time are what they were when it was decoded.
class BitmapFileCache {
public:
    // The decoded bitmap, or a null image when the file is missing or cannot be decoded.
    static QImage Load(const QString& path);

private:
    struct Entry {
        qint64 fileSize = 0;
        QDateTime modified;
        QImage image;
    };
    static QCache<QString, Entry>& Entries();
};

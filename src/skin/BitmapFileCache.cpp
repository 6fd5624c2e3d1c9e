#include "skin/BitmapFileCache.h"

#include <QFileInfo>
#include <QImageReader>

namespace {
// the cache holds the decoded bitmaps of a few skins at most (cost counted in kilobytes)
constexpr qsizetype kCacheKilobytes = 48 * 1024;

qsizetype CostOf(const QImage& image) {
    return qMax<qsizetype>(1, image.sizeInBytes() / 1024);
}

QList<QByteArray> DecodersFor(BitmapFileCache::Formats formats) {
    if (formats == BitmapFileCache::Formats::Downloaded) {
        return {"bmp", "jpeg"};
    }
    return {"bmp"};
}
}  // namespace

QCache<QString, BitmapFileCache::Entry>& BitmapFileCache::Entries() {
    static QCache<QString, Entry> entries(kCacheKilobytes);
    return entries;
}

QImage BitmapFileCache::Decode(const QString& path, Formats formats) {
    for (const QByteArray& format : DecodersFor(formats)) {
        QImageReader reader(path, format);
        reader.setAutoDetectImageFormat(false);
        reader.setDecideFormatFromContent(false);
        if (QImage image = reader.read(); !image.isNull()) {
            return image;
        }
    }
    return {};
}

QImage BitmapFileCache::Load(const QString& path, Formats formats) {
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    if (!file.isFile()) {
        Entries().remove(key);
        return {};
    }
    const qint64 size = file.size();
    const QDateTime modified = file.lastModified();
    if (const Entry* cached = Entries().object(key);
        cached != nullptr && cached->fileSize == size && cached->modified == modified &&
        cached->formats == formats) {
        return cached->image;
    }
    const QImage image = Decode(key, formats);
    if (image.isNull()) {
        Entries().remove(key);
        return {};
    }
    Entries().insert(key, new Entry{size, modified, formats, image}, CostOf(image));
    return image;
}

#include "skin/BitmapFileCache.h"

#include <QFileInfo>

namespace {
// the cache holds the decoded bitmaps of a few skins at most (cost counted in kilobytes)
constexpr qsizetype kCacheKilobytes = 48 * 1024;

qsizetype CostOf(const QImage& image) {
    return qMax<qsizetype>(1, image.sizeInBytes() / 1024);
}
}  // namespace

QCache<QString, BitmapFileCache::Entry>& BitmapFileCache::Entries() {
    static QCache<QString, Entry> entries(kCacheKilobytes);
    return entries;
}

QImage BitmapFileCache::Load(const QString& path) {
    const QFileInfo file(path);
    const QString key = file.absoluteFilePath();
    if (!file.isFile()) {
        Entries().remove(key);
        return {};
    }
    const qint64 size = file.size();
    const QDateTime modified = file.lastModified();
    if (const Entry* cached = Entries().object(key);
        cached != nullptr && cached->fileSize == size && cached->modified == modified) {
        return cached->image;
    }
    QImage image(key);
    if (image.isNull()) {
        Entries().remove(key);
        return {};
    }
    Entries().insert(key, new Entry{size, modified, image}, CostOf(image));
    return image;
}

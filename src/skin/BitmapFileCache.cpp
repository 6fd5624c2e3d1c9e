#include "skin/BitmapFileCache.h"

#include <sys/stat.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {
// the cache holds the decoded bitmaps of a few skins at most (cost counted in kilobytes)
constexpr qsizetype kCacheKilobytes = 48 * 1024;

// The file's size and modification time in one call. QFileInfo's time is a local time, and
// making it asks the time zone file each time: the face's animation checks its frames ten times
// a second all day.
bool StatFile(const QString& path, qint64& size, qint64& modifiedNs) {
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    size = status.st_size;
    modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    return true;
}

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
    const QString key = QFileInfo(path).absoluteFilePath();
    qint64 size = 0;
    qint64 modified = 0;
    if (!StatFile(key, size, modified)) {
        Entries().remove(key);
        return {};
    }
    if (const Entry* cached = Entries().object(key);
        cached != nullptr && cached->fileSize == size && cached->modifiedNs == modified &&
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

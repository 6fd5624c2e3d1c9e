#include "dialogs/SkinThumbnail.h"

#include <QPainter>

#include "skin/BitmapFileCache.h"
#include "skin/ColorKey.h"

QImage SkinThumbnail::ForFolder(const QString& folderPath) {
    const QImage choice = BitmapFileCache::Load(folderPath + QStringLiteral("/choice.bmp"));
    if (!choice.isNull()) {
        return choice.size() == QSize(kSide, kSide) ? choice : Squared(choice);
    }
    const QImage face = BitmapFileCache::Load(folderPath + QStringLiteral("/main_bg.bmp"));
    if (!face.isNull()) {
        return FromFace(face);
    }
    return QImage(QStringLiteral(":/res/skin_thumb.bmp"));
}

QImage SkinThumbnail::FromFace(const QImage& face) {
    return Squared(WithKeyTransparent(face, kSkinColorKey));
}

// Reduced (or enlarged) to the square's side along its longer edge, so a tall face and a wide
// one both show whole.
QImage SkinThumbnail::Squared(const QImage& image) {
    const QImage scaled = image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                              .scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage square(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((kSide - scaled.width()) / 2, (kSide - scaled.height()) / 2, scaled);
    return square;
}

#include "dialogs/DialogSkin.h"

#include "skin/CSkinButton.h"
#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"

namespace DialogSkin {

std::optional<QRect> Area(const SkinInfo& skin, const char* key) {
    return skin.KeyRect(key);
}

std::optional<QPoint> Point(const SkinInfo& skin, const char* key) {
    int32_t values[2] = {};
    if (skin.GetKeyValues(key, values, 2) == 0) {
        return std::nullopt;
    }
    return QPoint(values[0], values[1]);
}

std::optional<QColor> Color(const SkinInfo& skin, const char* key) {
    int32_t values[3] = {};
    if (skin.GetKeyValues(key, values, 3) == 0) {
        return std::nullopt;
    }
    return QColor(values[0] & 0xFF, values[1] & 0xFF, values[2] & 0xFF);
}

bool PlaceButton(CSkinButton& button, const SkinInfo& skin, const char* key, const char* stem,
                 bool handCursor) {
    const std::optional<QPoint> at = Point(skin, key);
    if (!at) {
        button.SetState(CSkinButton::kRemoved);
        return false;
    }
    const QString files = QString::fromLatin1(stem);
    button.SetTransparentColor(kSkinColorKey);
    button.LoadBitmaps(skin.FilePath(files + QStringLiteral("_up.bmp")),
                       skin.FilePath(files + QStringLiteral("_dn.bmp")), QString(),
                       CSkinButton::Kind::PushButton, handCursor);
    button.move(*at);
    button.show();
    button.update();
    return true;
}

QString ShownLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace DialogSkin

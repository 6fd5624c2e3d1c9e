#include "dialogs/DialogSkinButtons.h"

#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"

bool PlaceDialogButton(CSkinButton& button, const DialogButtonKey& place, const SkinInfo& skin,
                       CSkinButton::Kind kind) {
    int32_t at[2] = {};
    if (skin.GetKeyValues(place.key, at, 2) == 0) {
        button.SetState(CSkinButton::kRemoved);
        return false;
    }
    const QString stem = skin.FilePath(QLatin1String(place.stem));
    button.LoadBitmaps(stem + QStringLiteral("_up.bmp"), stem + QStringLiteral("_dn.bmp"),
                       QString(), kind, false);
    button.SetTransparentColor(kSkinColorKey);
    button.move(at[0], at[1]);
    button.show();
    return true;
}

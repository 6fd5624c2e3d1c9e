#include "windows/SkinLayout.h"

#include "skin/BitmapFileCache.h"
#include "skin/CSkinSlider.h"
#include "skin/CTickerCtrl.h"
#include "skin/ColorKey.h"
#include "skin/SkinInfo.h"

namespace {

constexpr int kTickerStepMs = 30;

constexpr ButtonKey kMainButtons[] = {
    {FaceButton::Mini, "[MAIN_MINI]", "/main_btn_mini", StringId::kMini},
    {FaceButton::Hide, "[MAIN_HIDE]", "/main_btn_hide", StringId::kHide},
    {FaceButton::Close, "[MAIN_CLOSE]", "/main_btn_close", StringId::kClose},
    {FaceButton::Info, "[MAIN_INFO]", "/main_btn_info", StringId::kProgramInfo},
    {FaceButton::Play, "[MAIN_PLAY]", "/main_btn_play", StringId::kPlay},
    {FaceButton::Stop, "[MAIN_STOP]", "/main_btn_stop", StringId::kStop},
    {FaceButton::Mute, "[MAIN_MUTE]", "/main_btn_mute", StringId::kMute},
    {FaceButton::View, "[MAIN_VIEW]", "/main_btn_view", StringId::kSeeingRadio},
    {FaceButton::Send, "[MAIN_SEND]", "/main_btn_send", StringId::kSendMessage},
};

constexpr ButtonKey kMiniButtons[] = {
    {FaceButton::Main, "[MINI_MAIN]", "/mini_btn_main", StringId::kOriginalSize},
    {FaceButton::Hide, "[MINI_HIDE]", "/mini_btn_hide", StringId::kHide},
    {FaceButton::Close, "[MINI_CLOSE]", "/mini_btn_close", StringId::kClose},
    {FaceButton::Info, "[MINI_INFO]", "/mini_btn_info", StringId::kProgramInfo},
    {FaceButton::Play, "[MINI_PLAY]", "/mini_btn_play", StringId::kPlay},
    {FaceButton::Stop, "[MINI_STOP]", "/mini_btn_stop", StringId::kStop},
    {FaceButton::Mute, "[MINI_MUTE]", "/mini_btn_mute", StringId::kMute},
    {FaceButton::View, "[MINI_VIEW]", "/mini_btn_view", StringId::kSeeingRadio},
};

QColor SkinColor(const int32_t values[3]) {
    return QColor(values[0] & 0xFF, values[1] & 0xFF, values[2] & 0xFF);
}

}  // namespace

namespace SkinLayout {

std::span<const ButtonKey> MainButtons() {
    return kMainButtons;
}

std::span<const ButtonKey> MiniButtons() {
    return kMiniButtons;
}

bool IsShownByApply(FaceButton button) {
    return button != FaceButton::Info && button != FaceButton::View;
}

bool PlaceButton(CSkinButton& button, const ButtonKey& key, const SkinInfo& skin) {
    int32_t at[2] = {};
    if (!skin.GetKeyValues(key.key, at, 2)) {
        button.hide();
        return false;
    }
    const QString stem = skin.FilePath(QLatin1String(key.stem));
    // the mute buttons keep their state: pressed while the sound is off
    const auto kind =
        key.button == FaceButton::Mute ? CSkinButton::Kind::Toggle : CSkinButton::Kind::PushButton;
    button.LoadBitmaps(stem + QStringLiteral("_up.bmp"), stem + QStringLiteral("_dn.bmp"),
                       QString(), kind, false);
    button.SetTransparentColor(kSkinColorKey);
    button.move(at[0], at[1]);
    if (IsShownByApply(key.button)) {
        button.show();
    }
    return true;
}

bool PlaceSlider(CSkinSlider& slider, const SliderKey& key, const SkinInfo& skin) {
    int32_t at[2] = {};
    if (!skin.GetKeyValues(key.key, at, 2)) {
        slider.hide();
        return false;
    }
    const QString stem = skin.FilePath(QLatin1String(key.stem));
    slider.SetBitmapChannel(stem + QStringLiteral("channel.bmp"),
                            stem + QStringLiteral("channel_dn.bmp"), true, kSkinColorKey);
    slider.SetBitmapThumb(stem + QStringLiteral("thumb.bmp"), stem + QStringLiteral("thumb_dn.bmp"),
                          true, kSkinColorKey);
    slider.setRange(0, 100);
    slider.SetPos(0);
    slider.move(at[0], at[1]);
    slider.show();
    return true;
}

bool PlaceTicker(CTickerCtrl& ticker, const char* areaKey, const char* colorKey,
                 const SkinInfo& skin) {
    if (const std::optional<QRect> area = Area(skin, areaKey)) {
        ticker.setGeometry(*area);
        ticker.show();
    } else {
        ticker.hide();
    }
    const std::optional<QColor> color = Color(skin, colorKey);
    if (!color) {
        return false;
    }
    ticker.SetBkColor(*color);
    ticker.SetPeriod(kTickerStepMs);
    return true;
}

std::optional<QRect> Area(const SkinInfo& skin, const char* key) {
    return skin.KeyRect(key);
}

std::optional<QColor> Color(const SkinInfo& skin, const char* key) {
    int32_t values[3] = {};
    if (!skin.GetKeyValues(key, values, 3)) {
        return std::nullopt;
    }
    return SkinColor(values);
}

bool CanBeWorn(const SkinInfo& skin) {
    for (const char* background : {kMainBackground, kMiniBackground}) {
        if (BitmapFileCache::Load(skin.FilePath(QLatin1String(background))).isNull()) {
            return false;
        }
    }
    return true;
}

}  // namespace SkinLayout

#pragma once

#include <QColor>
#include <QRect>
#include <optional>
#include <span>

#include "platform/StringTable.h"
#include "skin/CSkinButton.h"

class CSkinSlider;
class CTickerCtrl;
class SkinInfo;

// The buttons of the player's two faces. The main and mini faces have the same buttons but for
// the mini face's "back to the main window" and the main face's send button.
enum class FaceButton { Main, Mini, Hide, Close, Info, Play, Stop, Mute, View, Send };

// Where one button of a face comes from in a skin: its key ("[MAIN_PLAY]=x,y") and its bitmaps
// (stem + "_up.bmp" and "_dn.bmp").
struct ButtonKey {
    FaceButton button;
    const char* key;
    const char* stem;
    StringId toolTip;
};

// The skin keys of the player's faces and how a face applies them: one table for the main and
// the mini face (the skin generator draws its skins from the same table). Every value comes from
// the skin; a missing key hides its control.
namespace SkinLayout {

// in the order a face applies them
std::span<const ButtonKey> MainButtons();
std::span<const ButtonKey> MiniButtons();

struct SliderKey {
    const char* key;
    const char* stem;  // + "channel.bmp", "channel_dn.bmp", "thumb.bmp", "thumb_dn.bmp"
};
inline constexpr SliderKey kMainVolume{"[MAIN_VOLM]", "/main_sld_vol_"};
inline constexpr SliderKey kMiniVolume{"[MINI_VOLM]", "/mini_sld_vol_"};

// Each face's background; a skin without both cannot be worn.
inline constexpr char kMainBackground[] = "/main_bg.bmp";
inline constexpr char kMiniBackground[] = "/mini_bg.bmp";

// Only the info and view buttons wait, hidden, until a program needs them.
bool IsShownByApply(FaceButton button);

// Loads the key's bitmaps into the button and moves it to the key's point, showing it unless it
// waits for a program. Without the key the button is hidden. True when the key was there.
bool PlaceButton(CSkinButton& button, const ButtonKey& key, const SkinInfo& skin);
// The same for a volume slider, whose position starts at 0.
bool PlaceSlider(CSkinSlider& slider, const SliderKey& key, const SkinInfo& skin);
// Moves and sizes the ticker to the area key (hidden without it); with the colour key the
// ticker takes that background and its 30 ms step. True when the colour key was there.
bool PlaceTicker(CTickerCtrl& ticker, const char* areaKey, const char* colorKey,
                 const SkinInfo& skin);

// An area key (x, y, width, height); none without the key.
std::optional<QRect> Area(const SkinInfo& skin, const char* key);
// A colour key (red, green, blue, low 8 bits of each); none without the key.
std::optional<QColor> Color(const SkinInfo& skin, const char* key);

// True when the skin holds everything a face needs to open: both backgrounds.
bool CanBeWorn(const SkinInfo& skin);

}  // namespace SkinLayout

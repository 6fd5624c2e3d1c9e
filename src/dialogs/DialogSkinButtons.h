#pragma once

#include "skin/CSkinButton.h"

class SkinInfo;

// Where one bitmap button of a dialog comes from in a skin: its key ("[SET_OK]=x,y") and its two
// bitmaps, stem + "_up.bmp" (released, or a check box's off) and stem + "_dn.bmp" (pressed, on).
struct DialogButtonKey {
    const char* key;
    const char* stem;
};

// Loads the key's bitmaps into the button, with pure blue see-through, and shows it at the key's
// point at the bitmap's size. Without the key the button keeps no bitmap and stays hidden, so it
// can be neither seen nor clicked. True when the key was there.
bool PlaceDialogButton(CSkinButton& button, const DialogButtonKey& place, const SkinInfo& skin,
                       CSkinButton::Kind kind);

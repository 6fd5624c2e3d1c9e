#pragma once

#include "SkinDesign.h"

// "Midnight", the second skin: a wide, low desk radio in graphite with a cyan glow, an amber
// ticker and an oscilloscope on its display. It leaves out the menu colour, so its menus use the
// default title colour.
class MidnightDesign : public SkinDesign {
public:
    MidnightDesign();

    static Theme MakeTheme();

protected:
    SkinWindow Main() const override;
    SkinWindow Mini() const override;

private:
    static DialogSizes Sizes();
    QImage MainArt() const;
    QImage MiniArt() const;
};

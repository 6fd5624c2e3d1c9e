#pragma once

#include "SkinDesign.h"

// "Quilo2", the default skin: an upright pearl-white radio with a sunset-coloured header, a
// little antenna, a dark display where the characters hop, and warm coral accents.
class Quilo2Design : public SkinDesign {
public:
    Quilo2Design();

    static Theme MakeTheme();

protected:
    SkinWindow Main() const override;
    SkinWindow Mini() const override;

private:
    static DialogSizes Sizes();
    QImage MainArt() const;
    QImage MiniArt() const;
};

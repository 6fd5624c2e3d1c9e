#pragma once

#include <QColor>
#include <QString>

#include "Fonts.h"

// The colours and proportions of one skin. Both skins are drawn by the same painting code; the
// theme is what makes them look different beyond their layouts.
struct Theme {
    QString name;
    bool korean = true;  // labels in Korean (otherwise English)
    Fonts::Face titleFace = Fonts::Face::Round;

    // the shell every window is cut from
    QColor shellTop, shellBottom, shellEdge, shellHighlight;
    QColor headerTop, headerBottom, headerInk, headerInkSoft;
    int radius = 16;

    // recessed wells (display screens, text frames) and the ink on the shell
    QColor screenTop, screenBottom, screenEdge;
    QColor wellFill, wellDark, wellLight;
    QColor ink, inkSoft;

    // buttons: the ordinary face, the accented one (play, OK) and the warning one (close)
    QColor buttonTop, buttonBottom, buttonEdge, buttonInk;
    QColor accentTop, accentBottom, accentEdge, accentInk;
    QColor closeInk;
    QColor checkTick;

    // volume slider
    QColor trackFill, trackEdge, fillTop, fillBottom, thumbTop, thumbBottom, thumbEdge;

    // colours the player fills text areas with, and text colours it is given
    QColor tickerBack, editBack, counterBack, fieldBack, listBack;
    QColor infoTitleText, infoText;
    QColor menuTitle;
    bool hasMenuColour = true;

    // the display's animation: bar colours from bottom to top, and the lamp
    QColor barLow, barHigh, lamp;
    // the mascot
    QColor mascotBody, mascotBelly, mascotPhones;

    QString Label(const char* inKorean, const char* inEnglish) const {
        return korean ? QString::fromUtf8(inKorean) : QString::fromUtf8(inEnglish);
    }
};

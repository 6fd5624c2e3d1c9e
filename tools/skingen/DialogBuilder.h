#pragma once

#include <QFont>
#include <QPoint>
#include <QSize>

#include "SkinWindow.h"
#include "Theme.h"

// The sizes a skin gives its dialogs; the layout inside follows from them.
struct DialogSizes {
    int header = 34;
    QSize log, set, sch, skin, info, about, view;
};

// Draws the dialogs of a skin (log-in, settings, schedule, skin chooser, program info, about and
// the video viewer) in the skin's theme.
class DialogBuilder {
public:
    // Where the schedule dialog's nine rows of platform controls stand. The dialog's controls are
    // not skinned, so every skin leaves them this same place.
    static constexpr QPoint kScheduleGrid{14, 62};
    static constexpr int kScheduleRowPitch = 26;
    static constexpr int kScheduleRowWidth = 196;

    DialogBuilder(const Theme& theme, const DialogSizes& sizes);

    SkinWindow Log() const;
    SkinWindow Set() const;
    SkinWindow Sch() const;
    SkinWindow Skin() const;
    SkinWindow Info() const;
    SkinWindow About() const;
    SkinWindow View() const;

private:
    QImage Body(QSize size, const QString& title) const;
    QImage LogArt(const QRect& id, const QRect& pw, const QRect& wait) const;
    QImage SchArt(const QRect& rows) const;
    ButtonLook Labelled(QSize size, const QString& label, bool accent) const;
    ButtonLook HeaderClose() const;
    QFont LabelFont() const;
    void OkCancel(SkinWindow& w, const char* okKey, const char* cancelKey, int y) const;

    Theme theme_;
    DialogSizes sizes_;
};

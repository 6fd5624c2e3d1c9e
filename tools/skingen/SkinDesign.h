#pragma once

#include <QDir>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <vector>

#include "DialogBuilder.h"
#include "SkinWindow.h"
#include "Theme.h"
#include "Visualizer.h"

// One shipped skin: its theme, its main and mini faces (each skin lays them out its own way)
// and its dialogs. Writing it produces the skin folder: every bitmap and "skininfo.ini".
class SkinDesign {
public:
    SkinDesign(const Theme& theme, const DialogSizes& sizes);
    virtual ~SkinDesign() = default;

    // Draws and writes the skin into skinsRoot/<name>; with a preview folder, also a picture of
    // each window there. Returns what went wrong (nothing on success).
    QStringList Write(const QDir& skinsRoot, const QString& previewFolder) const;

    // Sizes of the pictures the service places on the main window: the two program links and
    // the event banner. The same in every skin, since the pictures come from the server.
    static constexpr QSize kLinkImage{128, 40};
    static constexpr QSize kEventImage{264, 44};

protected:
    virtual SkinWindow Main() const = 0;
    virtual SkinWindow Mini() const = 0;

    // Pieces both main faces are made of.
    ButtonLook Round(QSize size, Glyph::Kind glyph, bool accent) const;
    ButtonLook Small(QSize size, Glyph::Kind glyph) const;
    ButtonLook Pill(QSize size, Glyph::Kind glyph, const QString& label) const;
    ButtonLook Mute(QSize size, ButtonLook::Shape shape) const;
    ButtonLook Send(QSize size, ButtonLook::Shape shape, const QString& label) const;
    // The hopping characters, their area and the space they may take.
    void AddCharacters(SkinWindow& w, const QRect& area) const;
    // The display animation: its frames and its area.
    void AddAnimation(SkinWindow& w, const QRect& area, int frames, int period,
                      Visualizer::Style style) const;
    // The empty frames the link pictures load into, and the event banner's stand-in.
    void PaintLinkSlots(QPainter& p, const QPoint& link1, const QPoint& link2) const;
    void AddLinks(SkinWindow& w, const QPoint& link1, const QPoint& link2,
                  const QPoint& event) const;

    static constexpr QSize kBigCharacter{44, 44};
    static constexpr QSize kSmallCharacter{32, 32};

    Theme theme_;

private:
    QStringList WriteFolder(const QDir& folder, const std::vector<SkinWindow>& windows) const;
    QImage EventBanner() const;
    QImage Choice(const SkinWindow& main) const;

    DialogSizes sizes_;
};

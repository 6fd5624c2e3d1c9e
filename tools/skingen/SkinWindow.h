#pragma once

#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "ButtonArt.h"
#include "ColorKey.h"
#include "SliderArt.h"

class SkinIni;

// One window of a skin: its background, the bitmaps of its controls and the "skininfo.ini"
// entries that place them. Everything placed is remembered with the space it takes, so the
// generator can refuse a layout whose controls leave the window, stand on its see-through parts
// or cover each other.
class SkinWindow {
public:
    // `prefix` names the files ("main" gives "main_bg.bmp"); `art` is the drawn background with
    // transparency where the window is not.
    SkinWindow(const QString& prefix, const QImage& art);

    const QString& Prefix() const { return prefix_; }
    QSize Size() const { return background_.size(); }
    // The keyed background: pure blue where the window is see-through.
    const QImage& Background() const { return background_; }

    // A control at `at`: its bitmaps ("main_btn_play_up.bmp" and "_dn.bmp"; "_chk_" for check
    // boxes; the four "_sld_vol_" files for the slider) and its x, y entry. Their edges are
    // blended with the background they stand on.
    void Button(const char* key, const QString& name, const ButtonLook& look, QPoint at);
    void Check(const char* key, const QString& name, const QImage& off, const QImage& on,
               QPoint at);
    void Slider(const char* key, const SliderImages& images, QPoint at);
    // x, y, width, height of a text, list, link or drawing area.
    void Area(const char* key, const QRect& rect);
    void Colour(const char* key, const QColor& colour);
    // Entries of any other shape; `footprint` is the space they take on the window, if any.
    void Values(const char* key, const std::vector<int>& values, const QRect& footprint = {});
    // Space that pictures placed at run time will take (link images, hopping sprites).
    void Reserve(const QRect& rect, const QString& what);
    // A further bitmap of the skin, written as it is; shown in the preview at `previewAt` when
    // that lies in the window.
    void File(const QString& fileName, const QImage& image, QPoint previewAt = QPoint(-1, -1));
    // For previews only: how a text area looks filled by the player (`fill` invalid: the text
    // is drawn straight on the skin).
    void Sample(const QRect& rect, const QColor& fill, const QString& text, int pixelSize = 12,
                const QColor& ink = QColor(1, 1, 1));

    // What is wrong with the layout: controls outside the window, on see-through pixels or over
    // each other, and see-through holes inside the face.
    QStringList Problems() const;
    // Writes the bitmaps into `folder` and the entries into `ini`; false when a file cannot be
    // written or a key is there already.
    bool Write(const QDir& folder, SkinIni& ini) const;
    // The window as a listener sees it, controls released, text areas filled with samples.
    QImage Preview(const QColor& desktop = QColor(104, 112, 122)) const;

private:
    struct Footprint {
        QString what;
        QRect rect;
    };
    struct Entry {
        QByteArray key;
        std::vector<int> values;
    };
    struct Bitmap {
        QString file;
        QImage image;
        QPoint at;
        bool shown;  // drawn in the preview
    };
    struct SampleText {
        QRect rect;
        QColor fill;
        QString text;
        int pixelSize;
        QColor ink;
    };

    QImage Keyed(const QImage& art, QPoint at, ColorKey::Edge edge = ColorKey::Edge::Soft) const;
    void Take(const QString& what, const QRect& rect);

    QString prefix_;
    QImage background_;
    std::vector<Footprint> footprints_;
    std::vector<Entry> entries_;
    std::vector<Bitmap> bitmaps_;
    std::vector<SampleText> samples_;
};

#pragma once

#include <QImage>
#include <QString>

// The picture a skin folder shows in the skin chooser: a square the listener recognises the skin
// by before wearing it.
class SkinThumbnail {
public:
    static constexpr int kSide = 64;

    // The folder's own "choice.bmp"; without it, the folder's main face reduced to the square,
    // cut out by its see-through blue as the face is on screen; without either, the program's
    // built-in thumbnail.
    static QImage ForFolder(const QString& folderPath);

    // `face` reduced to fit the square, centred, with its pixels of the skins' see-through blue
    // left transparent so the list's own colour shows around the outline.
    static QImage FromFace(const QImage& face);

private:
    static QImage Squared(const QImage& image);
};

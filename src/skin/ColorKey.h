#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>

// Pure blue is the see-through colour of every window background and every button, slider and
// sprite bitmap.
constexpr QRgb kSkinColorKey = 0xFF0000FFu;

// A copy of `image` in which every pixel of the key colour is fully transparent, so that whatever
// is drawn underneath shows there.
QImage WithKeyTransparent(const QImage& image, QRgb key);

// The pixels of `image` that are not of the key colour, as a region in the image's coordinates.
QRegion OpaqueRegion(const QImage& image, QRgb key);

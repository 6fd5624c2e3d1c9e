#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>
#include <optional>

class CSkinDialog;

// Pictures of the whole desktop as the listener sees it, taken by the desktop's own tool: the
// compositor's screenshooter on Wayland, the X server's root window on X11. Qt's own screen grab
// cannot serve: Wayland gives a client no pixels but its own.
namespace DesktopShot {

// The desktop now; a null image when the tool fails.
QImage Take();

// Where the window that paints `drawn` stands in `shot`: the place where at least nine in ten of
// its pixels the skin does not cut away (`keyed` is the skin's face, whose key-coloured pixels
// are cut) are found as drawn. Nothing when it is not on the picture.
std::optional<QPoint> Find(const QImage& shot, const QImage& drawn, const QImage& keyed, QRgb key);

// Where the skinned window stands on `shot`, found by what it paints where its skin is not cut.
std::optional<QPoint> Find(const QImage& shot, CSkinDialog& window);

}  // namespace DesktopShot

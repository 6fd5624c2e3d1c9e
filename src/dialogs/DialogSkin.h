#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class CSkinButton;
class SkinInfo;

// How the skinned dialogs read their places and colours from the skin's keys. Every value comes
// from the skin; a missing key hides its control or leaves the dialog's default.
namespace DialogSkin {

// An area key (x, y, width, height); none without the key.
std::optional<QRect> Area(const SkinInfo& skin, const char* key);
// A point key (x, y); none without the key.
std::optional<QPoint> Point(const SkinInfo& skin, const char* key);
// A colour key (red, green, blue), the low 8 bits of each; none without the key.
std::optional<QColor> Color(const SkinInfo& skin, const char* key);

// Loads stem + "_up.bmp" / "_dn.bmp" into the push button with the blue of the skins see-through
// and puts it at the key's point at its own size, shown. Without the key the button is removed
// (hidden, no bitmaps). True when the key was there.
bool PlaceButton(CSkinButton& button, const SkinInfo& skin, const char* key, const char* stem,
                 bool handCursor = false);

// Texts of the string table and the service's files end their lines with CR LF; the controls
// break lines at LF alone and would show the CR.
QString ShownLines(QString text);

}  // namespace DialogSkin

#pragma once

#include <QRect>

// The part of the primary screen that windows may use: the whole screen less panels and docks.
QRect AvailableScreenArea();

// Whether the desktop draws a window's transparent pixels as see-through: always on Wayland, and
// on X11 while a compositing manager runs. Without one, a window's outline can only be cut by a
// shape mask, and transparent pixels would show black.
bool DesktopShowsTranslucency();

// Whether a window can put itself at a place of its choice and read back where it stands. On
// Wayland the compositor places every window, and a window reads 0,0 wherever it is.
bool WindowsPlaceThemselves();

// Whether the program's windows are X11 windows, which another library (the media engine) can be
// given to draw into.
bool WindowsAreX11();

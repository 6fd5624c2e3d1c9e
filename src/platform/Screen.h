#pragma once

#include <QRect>

// The part of the primary screen that windows may use: the whole screen less panels and docks.
QRect AvailableScreenArea();

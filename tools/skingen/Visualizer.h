#pragma once

#include <QImage>
#include <QSize>

struct Theme;

// The frames of the main window's display animation. The player copies them one after another
// onto the window, so each frame is a whole picture of its area. The motion is built from sines
// whose periods divide the frame count: the last frame flows back into the first without a jump.
class Visualizer {
public:
    enum class Style { Bars, Wave };

    // Frame `index` of `count` drawn over `screen` (the background under the area).
    static QImage Frame(const Theme& theme, Style style, const QImage& screen, int index,
                        int count);

private:
    static void Bars(QPainter& p, const Theme& theme, QSize size, double t);
    static void Wave(QPainter& p, const Theme& theme, QSize size, double t);
    static void Lamp(QPainter& p, const Theme& theme, QPointF at, double t);
};

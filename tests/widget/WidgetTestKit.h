#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSignalSpy>
#include <ostream>
#include <vector>

#include "skin/CSkinDialog.h"
#include "support/QtPrinting.h"

inline void PrintTo(const QColor& color, std::ostream* out) {
    *out << "rgb(" << color.red() << ',' << color.green() << ',' << color.blue() << ')';
}
inline void PrintTo(const QPoint& point, std::ostream* out) {
    *out << '(' << point.x() << ", " << point.y() << ')';
}

// What the widget tests share: bitmaps made at test time, a skinned window to hold controls, the
// real X pointer (the window manager and the X shape only see real input) and the real screen.
namespace WidgetTestKit {

QImage Filled(QSize size, QColor color);
// Saves `image` as a BMP file in the test's working folder and returns its path.
QString SaveBitmap(const QString& fileName, const QImage& image);

bool RealMove(const QPoint& global);
bool RealButton(bool down);
bool RealClick(const QPoint& global, int button = 1);
bool RealDoubleClick(const QPoint& global);
// Puts the pointer where no test window is.
void ParkPointer();

// What the screen shows there, shapes and all.
QColor ScreenPixel(const QPoint& global);

bool ShowAndWait(QWidget& widget);

// The first argument of every signal the spy caught since the last call, in order.
std::vector<int> Take(QSignalSpy& spy);

// A skinned window to put controls on. A press on its face moves it by itself, never through the
// window manager, so tests that press on its controls never leave a window-manager move running.
class TestFace : public CSkinDialog {
protected:
    bool StartPlatformMove() override { return false; }
};

}  // namespace WidgetTestKit

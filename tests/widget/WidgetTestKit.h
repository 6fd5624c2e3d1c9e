#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
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

// What the widget tests share: bitmaps made at test time, a skinned window that records what its
// controls post, the real X pointer (the window manager and the X shape only see real input) and
// the real screen.
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

// What the screen shows, shapes and all.
QImage ScreenImage(const QRect& global);
QColor ScreenPixel(const QPoint& global);

bool ShowAndWait(QWidget& widget);

struct Received {
    unsigned message;
    WPARAM wParam;
    LPARAM lParam;
};

// A skinned window that records every private message it receives. Unless told to use the window
// manager's move, a press on its face moves it by itself, so tests that press on its controls
// never leave a window-manager move running.
class RecordingDialog : public CSkinDialog {
public:
    explicit RecordingDialog(bool windowManagerMove = false);

    std::vector<Received> received;
    std::vector<Received> Of(unsigned message) const;
    // Waits until every message posted before the call has arrived.
    bool DrainPosted();
    // The lParams of the `message`s from control `id` posted since the last call, in order.
    std::vector<LPARAM> Reported(unsigned message, int id);

protected:
    LRESULT WindowProc(const WindowMessage& message) override;
    bool StartPlatformMove() override;

private:
    bool windowManagerMove_;
    int drained_ = 0;
};

}  // namespace WidgetTestKit

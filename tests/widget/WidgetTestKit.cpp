#include "WidgetTestKit.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <algorithm>

#include "support/Await.h"
#include "support/TestEnvironment.h"

namespace WidgetTestKit {

namespace {

// a private message no control sends, marking the end of the posted ones
constexpr unsigned kDrainMarker = 0x7FF0;

bool XdoTool(const QStringList& arguments) {
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    return tool.waitForFinished() && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

}  // namespace

QImage Filled(QSize size, QColor color) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QString SaveBitmap(const QString& fileName, const QImage& image) {
    const QString path = TestEnvironment::WorkDir() + QLatin1Char('/') + fileName;
    image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
    return path;
}

// Without xdotool's own wait, which never returns when no motion is needed: the X server is asked
// until the pointer is there.
bool RealMove(const QPoint& global) {
    return XdoTool({"mousemove", QString::number(global.x()), QString::number(global.y())}) &&
           Await([&] { return QCursor::pos() == global; });
}

bool RealButton(bool down) {
    return XdoTool({down ? "mousedown" : "mouseup", "1"});
}

bool RealClick(const QPoint& global, int button) {
    return RealMove(global) && XdoTool({"click", QString::number(button)});
}

bool RealDoubleClick(const QPoint& global) {
    return RealMove(global) && XdoTool({"click", "--repeat", "2", "--delay", "80", "1"});
}

void ParkPointer() {
    RealMove(QGuiApplication::primaryScreen()->geometry().bottomLeft() + QPoint(1, -1));
}

QImage ScreenImage(const QRect& global) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), global.width(), global.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QColor ScreenPixel(const QPoint& global) {
    return ScreenImage(QRect(global, QSize(1, 1))).pixelColor(0, 0);
}

bool ShowAndWait(QWidget& widget) {
    widget.show();
    widget.raise();
    return QTest::qWaitForWindowExposed(&widget);
}

RecordingDialog::RecordingDialog(bool windowManagerMove) : windowManagerMove_(windowManagerMove) {}

std::vector<Received> RecordingDialog::Of(unsigned message) const {
    std::vector<Received> found;
    std::copy_if(received.begin(), received.end(), std::back_inserter(found),
                 [&](const Received& each) { return each.message == message; });
    return found;
}

bool RecordingDialog::DrainPosted() {
    const auto marker = static_cast<WPARAM>(++drained_);
    PostMessage(this, kDrainMarker, marker);
    return Await([&] {
        return std::any_of(received.begin(), received.end(), [&](const Received& each) {
            return each.message == kDrainMarker && each.wParam == marker;
        });
    });
}

std::vector<LPARAM> RecordingDialog::Reported(unsigned message, int id) {
    EXPECT_TRUE(DrainPosted());
    std::vector<LPARAM> values;
    for (const Received& each : Of(message)) {
        EXPECT_EQ(each.wParam, static_cast<WPARAM>(id));
        values.push_back(each.lParam);
    }
    std::erase_if(received, [&](const Received& each) { return each.message == message; });
    return values;
}

LRESULT RecordingDialog::WindowProc(const WindowMessage& message) {
    received.push_back(Received{message.message, message.wParam, message.lParam});
    return 0;
}

bool RecordingDialog::StartPlatformMove() {
    return windowManagerMove_ && CSkinDialog::StartPlatformMove();
}

}  // namespace WidgetTestKit

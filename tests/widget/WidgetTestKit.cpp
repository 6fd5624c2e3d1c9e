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

QColor ScreenPixel(const QPoint& global) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, global.x(), global.y(), 1, 1)
        .toImage()
        .convertToFormat(QImage::Format_RGB32)
        .pixelColor(0, 0);
}

bool ShowAndWait(QWidget& widget) {
    widget.show();
    widget.raise();
    return QTest::qWaitForWindowExposed(&widget);
}

std::vector<int> Take(QSignalSpy& spy) {
    std::vector<int> values;
    for (const QList<QVariant>& arguments : spy) {
        values.push_back(arguments.value(0).toInt());
    }
    spy.clear();
    return values;
}

}  // namespace WidgetTestKit

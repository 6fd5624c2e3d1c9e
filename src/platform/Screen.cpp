#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

QRect AvailableScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

#include "support/WaylandDesktop.h"

WaylandDesktop::WaylandDesktop() {
    // the script prints the socket once the compositor listens, and keeps it until its input ends
    desktop_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    desktop_.start(QStringLiteral(QUILO_SOURCE_DIR "/tools/with-wayland.sh"),
                   {"sh", "-c", "echo \"$WAYLAND_DISPLAY\"; exec cat >/dev/null"});
    if (desktop_.waitForReadyRead(30000)) {
        socket_ = QString::fromLocal8Bit(desktop_.readLine()).trimmed();
    }
}

WaylandDesktop::~WaylandDesktop() {
    desktop_.closeWriteChannel();
    if (!desktop_.waitForFinished(15000)) {
        desktop_.kill();
        desktop_.waitForFinished();
    }
}

QProcessEnvironment WaylandDesktop::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("WAYLAND_DISPLAY", socket_);
    environment.insert("QT_QPA_PLATFORM", "wayland");
    environment.remove("DISPLAY");
    return environment;
}

#pragma once

#include <QProcess>
#include <QProcessEnvironment>

// A private Wayland desktop beside the test's X display (tools/with-wayland.sh: a headless
// Weston), for as long as the object lives. Programs started with Environment() use it.
class WaylandDesktop {
public:
    WaylandDesktop();
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    bool IsReady() const { return !socket_.isEmpty(); }
    // This process's environment with the desktop's socket and Qt's Wayland platform, and no X
    // display to fall back to.
    QProcessEnvironment Environment() const;

private:
    QProcess desktop_;
    QString socket_;
};

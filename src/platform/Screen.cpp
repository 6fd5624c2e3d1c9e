#include "platform/Screen.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QScreen>

#include <memory>

namespace {

bool OnWayland() {
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// An X11 compositing manager owns the selection _NET_WM_CM_Sn of the screen it composites.
bool X11CompositorRuns() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    static constexpr char kSelection[] = "_NET_WM_CM_S0";
    const xcb_intern_atom_cookie_t atomCookie =
        xcb_intern_atom(connection, 0, sizeof(kSelection) - 1, kSelection);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &free);
    if (atom == nullptr) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &free);
    return owner != nullptr && owner->owner != XCB_NONE;
}

}  // namespace

QRect AvailableScreenArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

bool DesktopShowsTranslucency() {
    return OnWayland() || X11CompositorRuns();
}

bool WindowsPlaceThemselves() {
    return !OnWayland();
}

bool WindowsAreX11() {
    return QGuiApplication::platformName() == QLatin1String("xcb");
}

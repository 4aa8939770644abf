#include "platform/window_frame.h"

#include <QWidget>

#if defined(FATHOMER_HAVE_XCB)
#include <QGuiApplication>
#include <QList>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <xcb/xcb.h>
#endif

namespace fathomer {

#if defined(FATHOMER_HAVE_XCB)
namespace {

// The window manager hints of the Motif toolkit, which every X window manager still reads.
constexpr quint32 kHintFunctions = 1u << 0;
constexpr quint32 kHintDecorations = 1u << 1;
constexpr quint32 kFunctionMove = 1u << 2;
constexpr quint32 kFunctionClose = 1u << 5;
constexpr quint32 kDecorationBorder = 1u << 1;
constexpr quint32 kDecorationTitle = 1u << 3;
constexpr quint32 kDecorationMenu = 1u << 4;

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name) {
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

QByteArray propertyBytes(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type) {
    const xcb_get_property_cookie_t cookie = xcb_get_property(connection, 0, window, property, type, 0, 256);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    QByteArray bytes;
    if (reply && reply->type == type)
        bytes =
            QByteArray(static_cast<const char *>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return bytes;
}

// The running window manager's name, as it gives it on its check window; empty without one.
QByteArray windowManagerName(xcb_connection_t *connection) {
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (!screen) return {};
    const QByteArray check =
        propertyBytes(connection, screen->root, internAtom(connection, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    if (check.size() != sizeof(xcb_window_t)) return {};
    xcb_window_t checkWindow;
    std::memcpy(&checkWindow, check.constData(), sizeof checkWindow);
    return propertyBytes(connection, checkWindow, internAtom(connection, "_NET_WM_NAME"),
                         internAtom(connection, "UTF8_STRING"));
}

void setWindowTypes(xcb_connection_t *connection, xcb_window_t window, std::initializer_list<const char *> names) {
    QList<xcb_atom_t> types;
    for (const char *name : names) types << internAtom(connection, name);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, internAtom(connection, "_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, quint32(types.size()), types.constData());
}

}  // namespace

void setTitleBarButtons(QWidget &window, TitleBarButtons buttons) {
    // Other platforms (offscreen among them) may offer the same interface without an X server.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.windowHandle()) return;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    const xcb_atom_t hints = internAtom(connection, "_MOTIF_WM_HINTS");
    if (hints == XCB_ATOM_NONE) return;
    const auto id = xcb_window_t(window.winId());
    // openbox reads the functions for moving and resizing only: it keeps minimise, maximise and
    // close on every title bar. What it does go by is the window's type, and a window asking for
    // no title bar.
    const bool openbox = windowManagerName(connection) == "Openbox";
    quint32 functions = kFunctionMove;
    quint32 decorations = kDecorationBorder | kDecorationTitle;
    if (buttons == TitleBarButtons::SystemMenuAndClose) {
        functions |= kFunctionClose;
        decorations |= kDecorationMenu;
        // A toolbar's title bar there has the window menu and close, nothing else. Other window
        // managers keep the dialog type the toolkit gave.
        if (openbox) setWindowTypes(connection, id, {"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_DIALOG"});
    } else if (openbox) {
        // No button at all can be had there only without the title bar.
        decorations = kDecorationBorder;
    }
    const quint32 value[5] = {kHintFunctions | kHintDecorations, functions, decorations, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, hints, hints, 32, 5, value);
    xcb_flush(connection);
}
#else
void setTitleBarButtons(QWidget &, TitleBarButtons) {}
#endif

}  // namespace fathomer

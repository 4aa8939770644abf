#include "platform/window_frame.h"

#include <QWidget>

#if defined(FATHOMER_HAVE_XCB)
#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
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

}  // namespace

void setTitleBarButtons(QWidget &window, TitleBarButtons buttons) {
    // Other platforms (offscreen among them) may offer the same interface without an X server.
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window.windowHandle()) return;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    const xcb_atom_t hints = internAtom(connection, "_MOTIF_WM_HINTS");
    if (hints == XCB_ATOM_NONE) return;
    quint32 functions = kFunctionMove;
    quint32 decorations = kDecorationBorder | kDecorationTitle;
    if (buttons == TitleBarButtons::SystemMenuAndClose) {
        functions |= kFunctionClose;
        decorations |= kDecorationMenu;
    }
    const quint32 value[5] = {kHintFunctions | kHintDecorations, functions, decorations, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), hints, hints, 32, 5, value);
    xcb_flush(connection);
}
#else
void setTitleBarButtons(QWidget &, TitleBarButtons) {}
#endif

}  // namespace fathomer

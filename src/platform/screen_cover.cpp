#include "platform/screen_cover.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#if defined(FATHOMER_HAVE_XCB)
#include <xcb/xcb.h>
#endif

namespace fathomer {

void coverScreenExactly(QWidget &window) {
#if defined(FATHOMER_HAVE_XCB)
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !screen || !window.windowHandle()) return;
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection) return;
    // The screen in its own pixels. The toolkit gives it only in window pixels, rounded; a
    // single screen is the whole root window, whose size the server tells exactly.
    const QRect logical = screen->geometry();
    const qreal scale = screen->devicePixelRatio();
    QRect native(qRound(logical.x() * scale), qRound(logical.y() * scale), qRound(logical.width() * scale),
                 qRound(logical.height() * scale));
    const xcb_screen_t *root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (root) {
        const QRect whole(0, 0, root->width_in_pixels, root->height_in_pixels);
        native = QGuiApplication::screens().size() == 1 ? whole : native & whole;
    }
    const quint32 values[] = {quint32(native.x()), quint32(native.y()), quint32(native.width()),
                              quint32(native.height())};
    xcb_configure_window(connection, xcb_window_t(window.winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection);
#else
    (void)window;
#endif
}

}  // namespace fathomer

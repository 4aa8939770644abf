// The yardstick: a bare Qt program showing one borderless 435 x 760 window; with --fullscreen,
// one that covers the screen, for what any fullscreen window costs.
#include "probed/first_paint_probe.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(435, 760);
    fathomer::installFirstPaintProbe(&window);
    // Without a window manager the fullscreen state alone leaves the size as it was.
    if (argc > 1 && QByteArrayView(argv[1]) == "--fullscreen") {
        window.setGeometry(QGuiApplication::primaryScreen()->geometry());
        window.showFullScreen();
    } else
        window.show();
    return app.exec();
}

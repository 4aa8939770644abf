// The yardstick: a bare Qt program showing one borderless 435 x 760 window.
#include "probed/first_paint_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(435, 760);
    fathomer::installFirstPaintProbe(&window);
    window.show();
    return app.exec();
}

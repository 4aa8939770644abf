#include "platform/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace fathomer {

QRect primaryScreenArea() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

QPoint centredPosition(QSize outer) {
    const QRect area = primaryScreenArea();
    return {area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2};
}

void centreOnScreen(QWidget &window) {
    // move() places the frame's corner, so the frame's size is the one to centre.
    window.move(centredPosition(window.frameGeometry().size().expandedTo(window.size())));
}

}  // namespace fathomer

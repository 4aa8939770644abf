#include "platform/window_drag.h"

#include <QWidget>
#include <QWindow>

namespace fathomer {

WindowDrag::WindowDrag(QWidget &window, Mode mode) : window(window), mode(mode) {}

void WindowDrag::press(QPoint at) {
    grabX = at.x();
    grabY = at.y();
    QWindow *handle = mode == Mode::SystemFirst ? window.windowHandle() : nullptr;
    state = handle && handle->startSystemMove() ? State::BySystem : State::ByHand;
}

void WindowDrag::follow(QPoint at) {
    if (state != State::ByHand) return;
    // The dragged part moves with the window, so the grab point stays under the pointer.
    window.move(window.x() + at.x() - grabX, window.y() + at.y() - grabY);
}

}  // namespace fathomer

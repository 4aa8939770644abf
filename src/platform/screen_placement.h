#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace fathomer {

// The primary screen's area; 800 x 600 at the origin where the window system names no screen
// (a session without one still lays its windows out).
QRect primaryScreenArea();

// The top-left corner that puts a window of this outer size in the middle of the primary screen:
// each halving truncated toward zero, and no clamping, so a window larger than the screen gets
// negative coordinates rather than being pushed about.
QPoint centredPosition(QSize outer);

// Moves a top-level window into the middle of the primary screen. Its frame counts once the
// window manager has told its size; before that only the client area does.
void centreOnScreen(QWidget &window);

}  // namespace fathomer

#pragma once

class QWidget;

namespace fathomer {

// Makes a shown top-level window cover exactly the primary screen, in the screen's own pixels.
// At a fractional scale no whole number of window pixels is the screen's size (1366 pixels at
// 1.5 are 910.67 window pixels), so the toolkit's nearest size would reach a pixel past an edge
// or leave one uncovered; the native window is sized directly instead. Does nothing where the
// window system is not X11.
void coverScreenExactly(QWidget &window);

}  // namespace fathomer

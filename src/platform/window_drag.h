#pragma once

#include <QPoint>

class QWidget;

namespace fathomer {

// Moving a window with the left button held on a part of it that moves along (the page, the
// device's body). It keeps the grab point: where the left button last went down on that part.
class WindowDrag {
public:
    enum class Mode {
        // Only ever moved by hand: the window stays where the pointer puts it, as a window
        // manager might not allow (past the screen's edges).
        ByHand,
        // Handed to the window manager at the press where it takes it, which then follows the
        // pointer past the screen edges as well; else moved by hand. A window manager keeps a
        // window it is told to move on the screen, so the hand-off is what lets the device leave
        // it partly. Handed over at the press, the window manager starts from the grabbed point;
        // handed over at a later motion, it would lose the travel made before.
        SystemFirst,
    };

    WindowDrag(QWidget &window, Mode mode);

    // The left button went down at this point of the dragged part.
    void press(QPoint at);
    // The pointer is at this point of the dragged part, the left button held.
    void follow(QPoint at);
    QPoint grabPoint() const { return {grabX, grabY}; }

private:
    enum class State { None, BySystem, ByHand };

    QWidget &window;
    int grabX = 0;
    int grabY = 0;
    Mode mode;
    State state = State::None;
};

}  // namespace fathomer

#pragma once

#include <QColor>
#include <QRegion>
#include <optional>

class QWidget;

namespace fathomer {

// The windowed device's see-through colour and the window shape made from what is drawn: pixels
// of the key colour, and those no picture covers, neither show nor take clicks.
class WindowColourKey {
public:
    explicit WindowColourKey(QWidget &window) : window(window) {}

    // No key (fullscreen): the window is opaque in its own colour and unshaped.
    void setColourKey(std::optional<QColor> key);
    std::optional<QColor> colourKey() const { return transparentKey; }
    // Rebuilds the shape from what is drawn now.
    void updateWindowShape();
    // The same, once the current event is done; several requests make one rebuild. changed: the
    // box of a picture without key-coloured pixels that was shown or hidden, where one lying wholly
    // over the steady picture's shown pixels changes nothing; none: anything may have changed.
    void scheduleWindowShape(QRect changed = {});
    // The picture whose shown pixels stay as they are during play: the device's body, beneath
    // everything else. Its outline is made when first needed after each new key (a skin load).
    void keepOutlineOf(QWidget &steady) { steadyPicture = &steady; }

private:
    bool withinSteadyOutline(QRect area);

    QWidget &window;
    QWidget *steadyPicture = nullptr;
    std::optional<QRegion> steadyOutline;  // in the window's coordinates
    std::optional<QColor> transparentKey;
    bool shapePending = false;
};

}  // namespace fathomer

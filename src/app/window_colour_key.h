#pragma once

#include <QColor>
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
    // The same, once the current event is done; several requests make one rebuild.
    void scheduleWindowShape();

private:
    QWidget &window;
    std::optional<QColor> transparentKey;
    bool shapePending = false;
};

}  // namespace fathomer

#pragma once

#include <QImage>
#include <QRegion>

class QWidget;

namespace fathomer {

// The window drawn at its device resolution, its children included and its present shape ignored,
// as coverage alone (Format_Alpha8): a quarter of the memory of a full-colour drawing.
QImage windowCoverage(QWidget &window);
// One picture alone, drawn the same way, in its own coordinates.
QImage pictureCoverage(QWidget &picture);

// The device pixels of a window picture that show: those more than half covered. composed is the
// window drawn at its device resolution, transparent wherever nothing is drawn (in colour, or as coverage alone).
QRegion shownDevicePixels(const QImage &composed);

// The same shape in the window's own pixels (device pixels divided by the picture's device pixel
// ratio): a pixel belongs to it when any device pixel inside it shows, so nothing is cut off.
QRegion shownWindowPixels(const QImage &composed);

// Gives a top-level window the shape of what composed shows. The window system takes shapes in
// window pixels, which at a fractional ratio cannot follow a device pixel outline; on X11 the
// native window also gets the exact device-pixel shape. Nothing shown gives a window that shows
// nothing and lets every click through, never an unshaped one.
void applyWindowShape(QWidget &window, const QImage &composed);

}  // namespace fathomer

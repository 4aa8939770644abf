#include "app/window_colour_key.h"

#include "app/window_shape.h"
#include "platform/skin_image.h"

#include <QTimer>
#include <QWidget>

namespace fathomer {

void WindowColourKey::setColourKey(std::optional<QColor> key) {
    transparentKey = key;
    steadyOutline.reset();
    // Windowed, nothing paints the key colour: it and everything no picture covers stay
    // transparent. Fullscreen is opaque with its window colour.
    // (A translucent window paints no background of its own unless told to.)
    window.setAttribute(Qt::WA_NoSystemBackground, key.has_value());
    window.setAutoFillBackground(!key);
    const std::optional<QRgb> seeThrough = key ? std::optional<QRgb>(key->rgb()) : std::nullopt;
    for (SkinImage *image : window.findChildren<SkinImage *>()) image->setSeeThroughColour(seeThrough);
    // The key shapes the window as soon as it is set, also when the skin stops loading early.
    if (key)
        scheduleWindowShape();
    else
        window.clearMask();
}

// Rebuilding the shape draws the whole window once more before the change reaches the screen;
// the buttons pressed in play lie on the body, and skip it.
void WindowColourKey::scheduleWindowShape(QRect changed) {
    if (!transparentKey || shapePending) return;
    if (changed.isValid() && withinSteadyOutline(changed)) return;
    shapePending = true;
    QTimer::singleShot(0, &window, [this] {
        if (shapePending) updateWindowShape();
    });
}

void WindowColourKey::updateWindowShape() {
    shapePending = false;  // a shape made now makes a scheduled one needless
    if (!transparentKey) {
        window.clearMask();
        return;
    }
    // Drawn at the screen's device pixel ratio, so the shape follows what is really shown.
    applyWindowShape(window, windowCoverage(window));
}

bool WindowColourKey::withinSteadyOutline(QRect area) {
    if (!steadyPicture || steadyPicture->isHidden()) return false;
    if (!steadyOutline)
        steadyOutline = shownWindowPixels(pictureCoverage(*steadyPicture)).translated(steadyPicture->pos());
    return (QRegion(area) - *steadyOutline).isEmpty();
}

}  // namespace fathomer

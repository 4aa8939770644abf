// The hand-held device: one renderer with the controls' states as parameters, so every state
// picture is a crop of the same drawing and lines up with the body pixel for pixel.
#pragma once

#include "device_geometry.h"

#include <QImage>
#include <QRect>

namespace fathomer::art {

namespace layout = device_geometry;

enum class Direction { Up, Left, Right, Down };

struct DeviceState {
    bool powerOn = false;
    bool upPressed = false;
    bool leftPressed = false;
    bool rightPressed = false;
    bool downPressed = false;
    bool fireRaised = false;
    // The moulded plastic's grain, which the leaflet's small printed device leaves out: at that size
    // it is noise that would only make the page file larger.
    bool grain = true;
};

// Premultiplied ARGB render of the whole device area, transparent outside the case.
QImage renderDevice(const DeviceState &state);

// Bounding box of the pixels that state changes against the resting body; every state
// picture must contain it, or the picture would leave part of the change undrawn.
QRect changedArea(const DeviceState &state);

// Body.bmp: the resting device (switch off, direction buttons up, fire button pushed in),
// opaque, magenta outside a hard-edged outline.
QImage bodyPicture();
// PowerOn.bmp: the switch area with the slider on.
QImage powerOnPicture();
// UpDown.png .. DownDown.png: only the pixels the press changes are opaque.
QImage pressedPicture(Direction d);
// FireUp.png: the fire button sticking out of the case side, hard-edged.
QImage fireUpPicture();
// Digit pictures: segment bits a..g = 1 << 0 .. 1 << 6; 0 gives the dark digit the body shows.
QImage digitPicture(int segments);
int digitSegments(char symbol);  // '0'..'9', 'A'..'E'
// Led.png (lit) and the dark blip the body shows behind each cell (unlit).
QImage ledPicture(bool lit);
// Face.png: the glass over the display window.
QImage facePicture();

}  // namespace fathomer::art

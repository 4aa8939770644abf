// The hand-held device: one renderer with the controls' states as parameters, so every state
// picture is a crop of the same drawing and lines up with the body pixel for pixel.
#pragma once

#include <QImage>
#include <QRect>

namespace fathomer::art {

namespace layout {
constexpr int deviceWidth = 435;
constexpr int deviceHeight = 760;
constexpr int ledColumns[7] = {101, 135, 170, 207, 241, 276, 313};
constexpr int ledRows[3] = {253, 292, 340};
constexpr QSize ledSize{33, 31};
constexpr QRect digitLeft{188, 190, 35, 50};
constexpr QRect digitRight{224, 190, 35, 50};
constexpr QRect powerSwitch{90, 512, 49, 74};
constexpr QRect upPressed{261, 519, 48, 57};
constexpr QRect leftPressed{220, 560, 57, 49};
constexpr QRect rightPressed{294, 561, 57, 49};
constexpr QRect downPressed{262, 594, 48, 57};
constexpr QRect fireButton{1, 289, 13, 64};
// The face overlay draws only over the display window; its picture covers just this box.
constexpr QRect faceArea{87, 177, 273, 209};
}  // namespace layout

enum class Direction { Up, Left, Right, Down };

struct DeviceState {
    bool powerOn = false;
    bool upPressed = false;
    bool leftPressed = false;
    bool rightPressed = false;
    bool downPressed = false;
    bool fireRaised = false;
};

// Premultiplied ARGB render of the whole device area, transparent outside the case.
QImage renderDevice(const DeviceState& state);

// Bounding box of the pixels that state changes against the resting body; every state
// picture must contain it, or the picture would leave part of the change undrawn.
QRect changedArea(const DeviceState& state);

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

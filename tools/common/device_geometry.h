#pragma once

// The device's geometry in its own pixels, written once: the art generator draws the skin from it,
// the leaflet's drawings place their labels by it, and the build writes the delivered Config.ini
// from it (tools/configgen), so the pictures, the manual and the skin layout cannot drift apart.

#include <QRect>
#include <QSize>

namespace fathomer::device_geometry {

constexpr int deviceWidth = 435;
constexpr int deviceHeight = 760;
constexpr QRect body{0, 0, deviceWidth, deviceHeight};

// The 7 x 3 playfield: left edges of the columns, top edges of the rows, and one LED's box.
constexpr int ledColumns[7] = {101, 135, 170, 207, 241, 276, 313};
constexpr int ledRows[3] = {253, 292, 340};
constexpr QSize ledSize{33, 31};
constexpr QRect ledBox(int column, int row)  // column 0..6, row 0..2
{
    return {ledColumns[column], ledRows[row], ledSize.width(), ledSize.height()};
}

// The score panel's two positions, tens and units; every digit picture has their size.
constexpr QRect digitLeft{188, 190, 35, 50};
constexpr QRect digitRight{224, 190, 35, 50};

// The face overlay draws only over the display window; its picture covers just this box.
constexpr QRect faceArea{87, 177, 273, 209};

// The controls' state pictures: each covers every pixel its state changes on the body.
constexpr QRect powerSwitch{90, 512, 49, 74};
constexpr QRect upPressed{261, 519, 48, 57};
constexpr QRect leftPressed{220, 560, 57, 49};
constexpr QRect rightPressed{294, 561, 57, 49};
constexpr QRect downPressed{262, 594, 48, 57};
constexpr QRect fireButton{1, 289, 13, 64};

// Where a click presses a direction button: the key cap with a small margin. The pressed pictures
// overlap around the pad, these boxes do not, so a click presses one button only.
constexpr QRect upButton{261, 519, 48, 42};
constexpr QRect leftButton{220, 560, 45, 49};
constexpr QRect rightButton{304, 561, 47, 49};
constexpr QRect downButton{261, 608, 49, 43};

// Where the skin names each digit picture: the numerals 0-9 in one row and the letters for 10-14
// tens below, one panel position apart (only the size is drawn with).
constexpr QRect digitSheetBox(int symbol)  // 0..9 numerals, 10..14 letters
{
    return {8 + 36 * (symbol % 10), symbol < 10 ? 48 : 104, digitLeft.width(), digitLeft.height()};
}

}  // namespace fathomer::device_geometry

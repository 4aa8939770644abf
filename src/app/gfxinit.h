#pragma once

#include <QColor>

namespace fathomer {

class TForm1;

// Lays out the main window from "Config.ini" for its current display mode.
void Gfx_Load_Skin(TForm1 &form);
// Gives every torpedo LED the picture and box of the ship LED of the same cell.
void Gfx_Copy_Ship_To_Torpedo(TForm1 &form);

// Config.ini colours are $00BBGGRR numbers: red in the lowest byte.
QColor colourFromNumber(int value);

}  // namespace fathomer

#pragma once

namespace fathomer {

class TForm1;

// Lays out the main window from "Config.ini" for its current display mode.
void Gfx_Load_Skin(TForm1 &form);
// Gives every torpedo LED the picture and box of the ship LED of the same cell.
void Gfx_Copy_Ship_To_Torpedo(TForm1 &form);

}  // namespace fathomer

#pragma once

#include "game/game_ports.h"

// The playfield and the score panel, drawn only by switching LED images on and off and by copying
// digit pictures into the two panel positions.

namespace fathomer {

// Picture sources of the panel positions (see LedDisplay::setPanelPicture).
namespace PanelPicture {
inline constexpr int Empty = -1;
inline constexpr int Digit0 = 0;    // Digit0 + d for the digit d
inline constexpr int LetterA = 10;  // a..e stand for 10..14 tens
}  // namespace PanelPicture

// The panel never shows more than this; the score is held to it as well.
inline constexpr int Vid_Panel_Limit = 149;

void Vid_Show_All_Ship(LedDisplay &display, bool show);
void Vid_Show_All_Torpedo(LedDisplay &display, bool show);
void Vid_Show_Ship(LedDisplay &display, Cell cell, bool show);

// Shows value on the panel (letter a..e for 100..149 in the tens position, no leading zero) or
// blanks it. A value of 150 or more is lowered to 149 in the caller's variable, shown or not.
void Vid_Show_Panel_Score(LedDisplay &display, int &value, bool show);

}  // namespace fathomer

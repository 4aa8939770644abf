#pragma once

#include "game/display_reading.h"

#include <QString>

namespace fathomer {

// The texts a screen reader is given for what the device shows, made from the game's reading of
// its displays.

// "Score 12" (the letters a..e read as the tens 10..14), "Score blank" while the panel is dark
// during a game, "off" when the device is switched off.
QString scoreReadoutText(const DisplayReading &reading, bool powered);

// "ship at column 4, row 2; torpedo at column 6, row 2", "dark" when nothing is lit, "off".
QString playfieldReadoutText(const DisplayReading &reading, bool powered);

}  // namespace fathomer

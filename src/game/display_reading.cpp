#include "game/display_reading.h"

#include "game/cell.h"

#include <algorithm>

namespace fathomer {

void DisplayReading::setShipLit(Cell cell, bool lit) {
    shown.setShipLit(cell, lit);
    ships.set(Vid_Cell_Index(cell), lit);
}

void DisplayReading::setTorpedoLit(Cell cell, bool lit) {
    shown.setTorpedoLit(cell, lit);
    torpedoes.set(Vid_Cell_Index(cell), lit);
}

void DisplayReading::setPanelPicture(int position, int source) {
    shown.setPanelPicture(position, source);
    panel[position == 1 ? 0 : 1] = source;
}

int DisplayReading::panelNumber() const {
    const int tens = panel[0], units = panel[1];
    if (units < 0) return -1;
    // The sources of the tens are the digits 1..9, then the letters for 10..14 tens.
    return std::max(tens, 0) * 10 + units;
}

}  // namespace fathomer

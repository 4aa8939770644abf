#include "game/display_reading.h"

#include "game/cell.h"

#include <algorithm>

namespace fathomer {

void DisplayReading::setShipLit(Cell cell, bool lit) {
    shown.setShipLit(cell, lit);
    const int index = Vid_Cell_Index(cell);
    if (ships.test(index) == lit) return;
    ships.set(index, lit);
    tell(Part::Playfield);
}

void DisplayReading::setTorpedoLit(Cell cell, bool lit) {
    shown.setTorpedoLit(cell, lit);
    const int index = Vid_Cell_Index(cell);
    if (torpedoes.test(index) == lit) return;
    torpedoes.set(index, lit);
    tell(Part::Playfield);
}

void DisplayReading::setPanelPicture(int position, int source) {
    shown.setPanelPicture(position, source);
    int &held = panel[position == 1 ? 0 : 1];
    if (held == source) return;
    held = source;
    tell(Part::Score);
}

int DisplayReading::panelNumber() const {
    const int tens = panel[0], units = panel[1];
    if (units < 0) return -1;
    // The sources of the tens are the digits 1..9, then the letters for 10..14 tens.
    return std::max(tens, 0) * 10 + units;
}

}  // namespace fathomer

#include "game/display_reading.h"

#include "game/cell.h"

#include <QStringList>
#include <algorithm>

namespace fathomer {

namespace {

QString cellText(Cell cell) { return QStringLiteral("column %1, row %2").arg(cell.col).arg(cell.row); }

}  // namespace

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

QString DisplayReading::scoreText(bool powered) const {
    if (!powered) return QStringLiteral("off");
    const int tens = panel[0], units = panel[1];
    if (units < 0) return QStringLiteral("Score blank");
    // The sources of the tens are the digits 1..9, then the letters for 10..14 tens.
    return QStringLiteral("Score %1").arg(std::max(tens, 0) * 10 + std::max(units, 0));
}

QString DisplayReading::playfieldText(bool powered) const {
    if (!powered) return QStringLiteral("off");
    QStringList parts;
    for (const Cell cell : Vid_All_Cells)
        if (ships.test(Vid_Cell_Index(cell))) parts << QStringLiteral("ship at ") + cellText(cell);
    for (const Cell cell : Vid_All_Cells)
        if (torpedoes.test(Vid_Cell_Index(cell))) parts << QStringLiteral("torpedo at ") + cellText(cell);
    return parts.isEmpty() ? QStringLiteral("dark") : parts.join(QStringLiteral("; "));
}

}  // namespace fathomer

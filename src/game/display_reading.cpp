#include "game/display_reading.h"

#include "game/playfield.h"

#include <QStringList>
#include <algorithm>

namespace fathomer {

namespace {

QString cellText(int index) {
    return QStringLiteral("column %1, row %2").arg(index / Vid_Rows + 1).arg(index % Vid_Rows + 1);
}

}  // namespace

void DisplayReading::setShipLit(int index, bool lit) {
    shown.setShipLit(index, lit);
    if (ships.test(index) == lit) return;
    ships.set(index, lit);
    tell(Part::Playfield);
}

void DisplayReading::setTorpedoLit(int index, bool lit) {
    shown.setTorpedoLit(index, lit);
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
    for (int i = 0; i < Vid_Cells; ++i)
        if (ships.test(i)) parts << QStringLiteral("ship at ") + cellText(i);
    for (int i = 0; i < Vid_Cells; ++i)
        if (torpedoes.test(i)) parts << QStringLiteral("torpedo at ") + cellText(i);
    return parts.isEmpty() ? QStringLiteral("dark") : parts.join(QStringLiteral("; "));
}

}  // namespace fathomer

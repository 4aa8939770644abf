#include "app/readout_texts.h"

#include <QStringList>

namespace fathomer {

namespace {

QString cellText(Cell cell) { return QStringLiteral("column %1, row %2").arg(cell.col).arg(cell.row); }

}  // namespace

QString scoreReadoutText(const DisplayReading &reading, bool powered) {
    if (!powered) return QStringLiteral("off");
    const int number = reading.panelNumber();
    return number < 0 ? QStringLiteral("Score blank") : QStringLiteral("Score %1").arg(number);
}

QString playfieldReadoutText(const DisplayReading &reading, bool powered) {
    if (!powered) return QStringLiteral("off");
    QStringList parts;
    for (const Cell cell : Vid_All_Cells)
        if (reading.shipDrawn(cell)) parts << QStringLiteral("ship at ") + cellText(cell);
    for (const Cell cell : Vid_All_Cells)
        if (reading.torpedoDrawn(cell)) parts << QStringLiteral("torpedo at ") + cellText(cell);
    return parts.isEmpty() ? QStringLiteral("dark") : parts.join(QStringLiteral("; "));
}

}  // namespace fathomer

#pragma once

#include <QObject>

namespace fathomer {

// When FATHOMER_FIRST_PAINT_PROBE is set: on the first paint of any of the program's windows (the
// main window, or the splash on a first start), print the monotonic clock in nanoseconds
// ("first-paint <ns>") and end the program. The probe belongs to the given owner.
void installFirstPaintProbe(QObject *owner);

}  // namespace fathomer

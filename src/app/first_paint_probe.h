#pragma once

#include <QWidget>

namespace fathomer {

// When FATHOMER_FIRST_PAINT_PROBE is set: on the widget's first paint, print the monotonic clock
// in nanoseconds ("first-paint <ns>") and end the program.
void installFirstPaintProbe(QWidget *widget);

}  // namespace fathomer

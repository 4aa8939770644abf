#pragma once

#include <QColor>

namespace fathomer {

// Colours in Config.ini and in the windows' designs are $00BBGGRR numbers: red in the lowest
// byte, the top byte ignored.
QColor colourFromNumber(int value);

}  // namespace fathomer

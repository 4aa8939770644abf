#include "platform/colour_number.h"

namespace fathomer {

QColor colourFromNumber(int value) {
    const auto v = static_cast<quint32>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

}  // namespace fathomer

#pragma once

#include <QString>
#include <optional>

namespace fathomer {

// Reads a 32-bit signed integer written as text: optional leading blanks, optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x". Hexadecimal values up to $FFFFFFFF
// wrap into the negative range, as colour values such as "$FFFFFFFF" need.
std::optional<int> parseIntegerText(const QString &text);

}  // namespace fathomer

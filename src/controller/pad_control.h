#pragma once

#include <bitset>

namespace fathomer {

// What a game controller can work: the device's six controls and the popup menu. The order is the
// order in which presses found in one look at the controllers are carried out.
enum class PadControl { Power, Up, Left, Right, Down, Fire, Menu };
inline constexpr int kPadControlCount = 7;

// The controls held at one moment, one bit per PadControl.
using PadControls = std::bitset<kPadControlCount>;

}  // namespace fathomer

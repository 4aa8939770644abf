#pragma once

#include "controller/controller_library.h"
#include "controller/held_controls.h"

namespace fathomer {

// How far the left stick must leave its centre before it counts as a direction press, out of
// 32767. Worn sticks rest well off centre; a third of the travel ignores that yet needs no effort.
inline constexpr int kStickDeadZone = 11000;

// The controls one controller holds now: d-pad and left stick past the dead zone are the four
// directions, the south and east face buttons fire, Start is the power switch, Back the menu.
HeldControls heldControls(const ControllerLibrary &sdl, SDL_GameController *pad);

}  // namespace fathomer

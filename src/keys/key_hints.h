#pragma once

#include "keys/button_hints.h"
#include "keys/key_bindings.h"

namespace fathomer {

// Sets all six button hints from the bindings; the power hint takes its on or off form from powerOn.
void Key_Set_Hints(const KeyBindings &keys, ButtonHints &buttons, qint32 powerOn);

// Renews the power button's hint alone, as the power switches.
void Key_Set_Power_Hint(const KeyBindings &keys, ButtonHints &buttons, qint32 powerOn);

}  // namespace fathomer

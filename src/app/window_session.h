#pragma once

#include "app/device_session.h"

#include <memory>

namespace fathomer {

class KeyBindings;
class TForm1;

// A game session on the main window's skin, its sound faults reported by the window, and the
// window's input forwarded to it. The holder destroys it before the window.
std::unique_ptr<DeviceSession> startSession(TForm1 &form, KeyBindings &keys);

}  // namespace fathomer

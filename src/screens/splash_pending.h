#pragma once

namespace fathomer {

// True until the splash window has been brought to the front by the main window's first
// activation, or skipped; set before any window exists.
extern bool Splash_Pending;

}  // namespace fathomer

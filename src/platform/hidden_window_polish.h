#pragma once

namespace fathomer {

// Leaves the windows that are not shown unpolished when the event loop first runs. The toolkit
// polishes every window and control made before it, shown or not, and a link that takes the
// keyboard lays out its text for that: the whole font database is read before the first window is
// painted, for windows that may never show. A window is polished when it is first shown in any
// case. Call just before the event loop starts.
void holdBackPolishOfHiddenWindows();

}  // namespace fathomer

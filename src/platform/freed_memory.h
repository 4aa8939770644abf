#pragma once

class QObject;

namespace fathomer {

// Gives the heap's free pages back to the system a moment after the program let go of much at
// once (a display mode switch drops a screen's worth of pictures and buffers, made on several
// threads). The C library otherwise keeps what was freed for later use, and a windowed program
// would go on holding what only fullscreen needed. Nothing happens once context is gone.
void returnFreedMemorySoon(QObject *context);

}  // namespace fathomer

#include "sdl/sdl_library.h"

#include <SDL.h>

namespace fathomer {

namespace {

// Otherwise SDL takes over SIGINT and SIGTERM as its first subsystem starts, and the program no
// longer ends on them. Set as the library is loaded, before any part starts a subsystem.
bool keepSignalsToTheProgram(QLibrary &library) {
    decltype(&SDL_SetHint) setHint = nullptr;
    if (!resolveEntry(library, "SDL_SetHint", setHint)) return false;
    setHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return true;
}

}  // namespace

QLibrary *loadSdlLibrary() {
#if defined(_WIN32) || defined(__APPLE__)
    static QLibrary library(QStringLiteral("SDL2"));
#else
    static QLibrary library(QStringLiteral("SDL2-2.0"), 0);
#endif
    return library.load() && keepSignalsToTheProgram(library) ? &library : nullptr;
}

}  // namespace fathomer

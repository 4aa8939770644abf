#pragma once

#include <QLibrary>

namespace fathomer {

// The one handle on the SDL2 library for every part of the program that uses it. Nothing loads it
// until a part asks, so a program start pays nothing for it; each part keeps its own table of the
// entry points it needs. SDL is never let take over the program's signals. Null when the library
// cannot be loaded.
QLibrary *loadSdlLibrary();

// Looks up one entry point of a loaded library as the typed pointer it is; false when missing.
template <class Function>
bool resolveEntry(QLibrary &library, const char *name, Function &target) {
    target = reinterpret_cast<Function>(library.resolve(name));
    return target != nullptr;
}

}  // namespace fathomer

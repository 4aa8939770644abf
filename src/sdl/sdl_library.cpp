#include "sdl/sdl_library.h"

namespace fathomer {

QLibrary *loadSdlLibrary() {
#if defined(_WIN32) || defined(__APPLE__)
    static QLibrary library(QStringLiteral("SDL2"));
#else
    static QLibrary library(QStringLiteral("SDL2-2.0"), 0);
#endif
    return library.load() ? &library : nullptr;
}

}  // namespace fathomer

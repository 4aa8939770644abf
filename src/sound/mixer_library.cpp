#include "sound/mixer_library.h"

#include "sdl/sdl_library.h"

namespace fathomer {

namespace {

#if defined(_WIN32) || defined(__APPLE__)
QLibrary mixerLibrary(QStringLiteral("SDL2_mixer"));
#else
QLibrary mixerLibrary(QStringLiteral("SDL2_mixer-2.0"), 0);
#endif

bool loadInto(MixerLibrary &lib) {
    QLibrary *sdlLibrary = loadSdlLibrary();
    if (!sdlLibrary || !mixerLibrary.load()) return false;
    QLibrary &sdl = *sdlLibrary;
    return resolveEntry(sdl, "SDL_SetHint", lib.setHint) && resolveEntry(sdl, "SDL_InitSubSystem", lib.initSubSystem) &&
           resolveEntry(sdl, "SDL_QuitSubSystem", lib.quitSubSystem) &&
           resolveEntry(sdl, "SDL_RWFromConstMem", lib.rwFromConstMem) &&
           resolveEntry(mixerLibrary, "Mix_OpenAudio", lib.openAudio) &&
           resolveEntry(mixerLibrary, "Mix_QuerySpec", lib.querySpec) &&
           resolveEntry(mixerLibrary, "Mix_HookMusic", lib.hookMusic) &&
           resolveEntry(mixerLibrary, "Mix_LoadWAV_RW", lib.loadWavRW) &&
           resolveEntry(mixerLibrary, "Mix_FreeChunk", lib.freeChunk) &&
           resolveEntry(mixerLibrary, "Mix_CloseAudio", lib.closeAudio) &&
           resolveEntry(mixerLibrary, "Mix_Quit", lib.quit);
}

}  // namespace

const MixerLibrary *MixerLibrary::load() {
    static MixerLibrary library;
    static const bool loaded = loadInto(library);
    return loaded ? &library : nullptr;
}

}  // namespace fathomer

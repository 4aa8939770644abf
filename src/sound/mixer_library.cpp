#include "mixer_library.h"

#include <QLibrary>

namespace fathomer {

namespace {

#if defined(_WIN32) || defined(__APPLE__)
QLibrary sdlLibrary(QStringLiteral("SDL2"));
QLibrary mixerLibrary(QStringLiteral("SDL2_mixer"));
#else
QLibrary sdlLibrary(QStringLiteral("SDL2-2.0"), 0);
QLibrary mixerLibrary(QStringLiteral("SDL2_mixer-2.0"), 0);
#endif

template <class Function>
bool resolve(QLibrary &library, const char *name, Function &target) {
    target = reinterpret_cast<Function>(library.resolve(name));
    return target != nullptr;
}

bool loadInto(MixerLibrary &lib) {
    if (!sdlLibrary.load() || !mixerLibrary.load()) return false;
    return resolve(sdlLibrary, "SDL_SetHint", lib.setHint) &&
           resolve(sdlLibrary, "SDL_InitSubSystem", lib.initSubSystem) &&
           resolve(sdlLibrary, "SDL_QuitSubSystem", lib.quitSubSystem) &&
           resolve(sdlLibrary, "SDL_RWFromConstMem", lib.rwFromConstMem) &&
           resolve(mixerLibrary, "Mix_OpenAudio", lib.openAudio) &&
           resolve(mixerLibrary, "Mix_AllocateChannels", lib.allocateChannels) &&
           resolve(mixerLibrary, "Mix_LoadWAV_RW", lib.loadWavRW) &&
           resolve(mixerLibrary, "Mix_PlayChannelTimed", lib.playChannelTimed) &&
           resolve(mixerLibrary, "Mix_HaltChannel", lib.haltChannel) &&
           resolve(mixerLibrary, "Mix_FreeChunk", lib.freeChunk) &&
           resolve(mixerLibrary, "Mix_CloseAudio", lib.closeAudio) &&
           resolve(mixerLibrary, "Mix_Quit", lib.quit);
}

}  // namespace

const MixerLibrary *MixerLibrary::load() {
    static MixerLibrary library;
    static const bool loaded = loadInto(library);
    return loaded ? &library : nullptr;
}

}  // namespace fathomer

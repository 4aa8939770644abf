#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

namespace fathomer {

// The SDL2 and SDL2_mixer entry points the back-end uses, looked up when sound is first started.
// Loading the libraries on demand keeps them (and the many codec libraries they pull in) out of
// the program's start-up, and out of the process entirely when the user plays without sound.
struct MixerLibrary {
    decltype(&SDL_SetHint) setHint = nullptr;
    decltype(&SDL_InitSubSystem) initSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) quitSubSystem = nullptr;
    decltype(&SDL_RWFromConstMem) rwFromConstMem = nullptr;
    decltype(&Mix_OpenAudio) openAudio = nullptr;
    decltype(&Mix_QuerySpec) querySpec = nullptr;
    decltype(&Mix_HookMusic) hookMusic = nullptr;
    decltype(&Mix_LoadWAV_RW) loadWavRW = nullptr;
    decltype(&Mix_FreeChunk) freeChunk = nullptr;
    decltype(&Mix_CloseAudio) closeAudio = nullptr;
    decltype(&Mix_Quit) quit = nullptr;

    // Null when either library or any entry point is missing.
    static const MixerLibrary *load();
};

}  // namespace fathomer

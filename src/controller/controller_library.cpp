#include "controller/controller_library.h"

#include "sdl/sdl_library.h"

namespace fathomer {

namespace {

bool loadInto(ControllerLibrary &lib) {
    QLibrary *sdl = loadSdlLibrary();
    if (!sdl) return false;
    const auto resolve = [sdl](const char *name, auto &target) { return resolveEntry(*sdl, name, target); };
    return resolve("SDL_InitSubSystem", lib.initSubSystem) && resolve("SDL_QuitSubSystem", lib.quitSubSystem) &&
           resolve("SDL_JoystickEventState", lib.joystickEventState) &&
           resolve("SDL_GameControllerEventState", lib.controllerEventState) &&
           resolve("SDL_GameControllerUpdate", lib.update) && resolve("SDL_NumJoysticks", lib.numJoysticks) &&
           resolve("SDL_IsGameController", lib.isGameController) &&
           resolve("SDL_JoystickGetDeviceInstanceID", lib.deviceInstanceId) &&
           resolve("SDL_GameControllerOpen", lib.open) && resolve("SDL_GameControllerClose", lib.close) &&
           resolve("SDL_GameControllerGetAttached", lib.attached) &&
           resolve("SDL_GameControllerGetButton", lib.button) && resolve("SDL_GameControllerGetAxis", lib.axis);
}

}  // namespace

const ControllerLibrary *ControllerLibrary::load() {
    static ControllerLibrary library;
    static const bool loaded = loadInto(library);
    return loaded ? &library : nullptr;
}

}  // namespace fathomer

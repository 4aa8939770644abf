#include "controller/controller_library.h"

#include <QLibrary>

namespace fathomer {

namespace {

#if defined(_WIN32) || defined(__APPLE__)
QLibrary sdlLibrary(QStringLiteral("SDL2"));
#else
QLibrary sdlLibrary(QStringLiteral("SDL2-2.0"), 0);
#endif

template <class Function>
bool resolve(const char *name, Function &target) {
    target = reinterpret_cast<Function>(sdlLibrary.resolve(name));
    return target != nullptr;
}

bool loadInto(ControllerLibrary &lib) {
    if (!sdlLibrary.load()) return false;
    return resolve("SDL_SetHint", lib.setHint) && resolve("SDL_InitSubSystem", lib.initSubSystem) &&
           resolve("SDL_QuitSubSystem", lib.quitSubSystem) &&
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

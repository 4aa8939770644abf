#pragma once

#include <SDL.h>

namespace fathomer {

// The SDL2 entry points that game controllers need, looked up when controllers are first started.
// SDL is loaded on demand, as sound does, so that a program start pays nothing for it.
struct ControllerLibrary {
    decltype(&SDL_InitSubSystem) initSubSystem = nullptr;
    decltype(&SDL_QuitSubSystem) quitSubSystem = nullptr;
    decltype(&SDL_JoystickEventState) joystickEventState = nullptr;
    decltype(&SDL_GameControllerEventState) controllerEventState = nullptr;
    decltype(&SDL_GameControllerUpdate) update = nullptr;
    decltype(&SDL_NumJoysticks) numJoysticks = nullptr;
    decltype(&SDL_IsGameController) isGameController = nullptr;
    decltype(&SDL_JoystickGetDeviceInstanceID) deviceInstanceId = nullptr;
    decltype(&SDL_GameControllerOpen) open = nullptr;
    decltype(&SDL_GameControllerClose) close = nullptr;
    decltype(&SDL_GameControllerGetAttached) attached = nullptr;
    decltype(&SDL_GameControllerGetButton) button = nullptr;
    decltype(&SDL_GameControllerGetAxis) axis = nullptr;

    // Null when the library or any entry point is missing.
    static const ControllerLibrary *load();
};

}  // namespace fathomer

#pragma once

// A game controller simulated inside the test process with SDL's virtual joystick, which SDL
// maps as a standard controller: button n is SDL_GameControllerButton n, axis n likewise.
// SDL is loaded the way the program loads it, so both talk to the same library.

#include <SDL.h>

#include <QLibrary>

namespace fathomer::testing {

class VirtualPad {
public:
    VirtualPad() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "Test pad";
        const int index = sdl().attach(&desc);
        if (index < 0) return;
        id = sdl().instanceId(index);
        joystick = sdl().open(index);
    }
    ~VirtualPad() { detach(); }
    VirtualPad(const VirtualPad &) = delete;
    VirtualPad &operator=(const VirtualPad &) = delete;

    bool attached() const { return joystick != nullptr; }
    // Takes effect at the controllers' next update, as a real controller's input does.
    void setButton(SDL_GameControllerButton button, bool down) { sdl().setButton(joystick, button, down ? 1 : 0); }
    void setAxis(SDL_GameControllerAxis axis, int value) { sdl().setAxis(joystick, axis, Sint16(value)); }

    // Pulls the controller out, whatever it holds.
    void detach() {
        if (!joystick) return;
        sdl().close(joystick);
        joystick = nullptr;
        for (int index = 0; index < sdl().count(); ++index)
            if (sdl().instanceId(index) == id) sdl().detach(index);
    }

private:
    struct Library {
        Library() : library(QStringLiteral("SDL2-2.0"), 0) {
            attach = reinterpret_cast<decltype(attach)>(library.resolve("SDL_JoystickAttachVirtualEx"));
            detach = reinterpret_cast<decltype(detach)>(library.resolve("SDL_JoystickDetachVirtual"));
            count = reinterpret_cast<decltype(count)>(library.resolve("SDL_NumJoysticks"));
            instanceId = reinterpret_cast<decltype(instanceId)>(library.resolve("SDL_JoystickGetDeviceInstanceID"));
            open = reinterpret_cast<decltype(open)>(library.resolve("SDL_JoystickOpen"));
            close = reinterpret_cast<decltype(close)>(library.resolve("SDL_JoystickClose"));
            setButton = reinterpret_cast<decltype(setButton)>(library.resolve("SDL_JoystickSetVirtualButton"));
            setAxis = reinterpret_cast<decltype(setAxis)>(library.resolve("SDL_JoystickSetVirtualAxis"));
        }
        QLibrary library;
        decltype(&SDL_JoystickAttachVirtualEx) attach;
        decltype(&SDL_JoystickDetachVirtual) detach;
        decltype(&SDL_NumJoysticks) count;
        decltype(&SDL_JoystickGetDeviceInstanceID) instanceId;
        decltype(&SDL_JoystickOpen) open;
        decltype(&SDL_JoystickClose) close;
        decltype(&SDL_JoystickSetVirtualButton) setButton;
        decltype(&SDL_JoystickSetVirtualAxis) setAxis;
    };
    static Library &sdl() {
        static Library library;
        return library;
    }

    SDL_JoystickID id = -1;
    SDL_Joystick *joystick = nullptr;
};

}  // namespace fathomer::testing

#include "controller/pad_mapping.h"

namespace fathomer {

namespace {

bool down(const ControllerLibrary &sdl, SDL_GameController *pad, SDL_GameControllerButton button) {
    return sdl.button(pad, button) != 0;
}

void hold(HeldControls &held, DeviceControl control, bool isHeld) {
    if (isHeld) held.hold(control);
}

}  // namespace

HeldControls heldControls(const ControllerLibrary &sdl, SDL_GameController *pad) {
    const int x = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTY);  // negative is up
    HeldControls held;
    hold(held, DeviceControl::Power, down(sdl, pad, SDL_CONTROLLER_BUTTON_START));
    hold(held, DeviceControl::Up, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kStickDeadZone);
    hold(held, DeviceControl::Left, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickDeadZone);
    hold(held, DeviceControl::Right, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickDeadZone);
    hold(held, DeviceControl::Down, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kStickDeadZone);
    hold(held, DeviceControl::Fire, down(sdl, pad, SDL_CONTROLLER_BUTTON_A) || down(sdl, pad, SDL_CONTROLLER_BUTTON_B));
    held.menu = down(sdl, pad, SDL_CONTROLLER_BUTTON_BACK);
    return held;
}

}  // namespace fathomer

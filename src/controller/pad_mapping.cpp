#include "controller/pad_mapping.h"

namespace fathomer {

namespace {

bool down(const ControllerLibrary &sdl, SDL_GameController *pad, SDL_GameControllerButton button) {
    return sdl.button(pad, button) != 0;
}

void hold(PadControls &held, PadControl control, bool isHeld) {
    if (isHeld) held.set(size_t(control));
}

}  // namespace

PadControls heldControls(const ControllerLibrary &sdl, SDL_GameController *pad) {
    const int x = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = sdl.axis(pad, SDL_CONTROLLER_AXIS_LEFTY);  // negative is up
    PadControls held;
    hold(held, PadControl::Power, down(sdl, pad, SDL_CONTROLLER_BUTTON_START));
    hold(held, PadControl::Up, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_UP) || y < -kStickDeadZone);
    hold(held, PadControl::Left, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || x < -kStickDeadZone);
    hold(held, PadControl::Right, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || x > kStickDeadZone);
    hold(held, PadControl::Down, down(sdl, pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || y > kStickDeadZone);
    hold(held, PadControl::Fire, down(sdl, pad, SDL_CONTROLLER_BUTTON_A) || down(sdl, pad, SDL_CONTROLLER_BUTTON_B));
    hold(held, PadControl::Menu, down(sdl, pad, SDL_CONTROLLER_BUTTON_BACK));
    return held;
}

}  // namespace fathomer

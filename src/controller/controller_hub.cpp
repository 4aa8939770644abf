#include "controller/controller_hub.h"

#include "controller/pad_mapping.h"

namespace fathomer {

ControllerHub::ControllerHub(ControlHandler controlHandler, MenuHandler menuHandler)
    : controlHandler(std::move(controlHandler)), menuHandler(std::move(menuHandler)) {
    timer.setInterval(kWatchInterval);
    QObject::connect(&timer, &QTimer::timeout, &timer, [this] { poll(); });
}

ControllerHub::~ControllerHub() {
    if (!running) return;
    for (const auto &[id, pad] : pads) sdl->close(pad);
    sdl->quitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool ControllerHub::start() {
    if (running) return true;
    sdl = ControllerLibrary::load();
    if (!sdl) return false;
    if (sdl->initSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    // The hub reads the controllers' state itself; their events would only pile up in SDL's
    // queue, which nothing in this program empties.
    sdl->joystickEventState(SDL_IGNORE);
    sdl->controllerEventState(SDL_IGNORE);
    running = true;
    poll();
    timer.start();
    return true;
}

void ControllerHub::poll() {
    // A press may run a nested event loop (a message box), whose timer ticks must not look again
    // before this look is done.
    if (!running || polling) return;
    polling = true;
    sdl->update();
    closeDetachedPads();
    openNewPads();
    HeldControls now;
    for (const auto &[id, pad] : pads) now |= heldControls(*sdl, pad);
    const int interval = pads.empty() ? kWatchInterval : kPlayInterval;
    if (timer.interval() != interval) timer.setInterval(interval);
    report(now);
    polling = false;
}

void ControllerHub::closeDetachedPads() {
    for (auto it = pads.begin(); it != pads.end();) {
        if (sdl->attached(it->second)) {
            ++it;
        } else {
            sdl->close(it->second);
            it = pads.erase(it);
        }
    }
}

void ControllerHub::openNewPads() {
    const int count = sdl->numJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = sdl->deviceInstanceId(index);
        if (id < 0 || pads.count(id) || !sdl->isGameController(index)) continue;
        if (SDL_GameController *pad = sdl->open(index)) pads.emplace(id, pad);
    }
}

void ControllerHub::report(const HeldControls &now) {
    const auto changed = held.controls ^ now.controls;
    const bool menuPressed = now.menu && !held.menu;
    held = now;
    // Releases first: letting go of one direction while pushing another clears the move latch
    // before the new push moves the ship. The menu comes after the device's controls.
    for (int control = 0; control < kDeviceControlCount; ++control)
        if (changed[size_t(control)] && !now.controls[size_t(control)]) controlHandler(DeviceControl(control), false);
    for (int control = 0; control < kDeviceControlCount; ++control)
        if (changed[size_t(control)] && now.controls[size_t(control)]) controlHandler(DeviceControl(control), true);
    if (menuPressed) menuHandler();
}

}  // namespace fathomer

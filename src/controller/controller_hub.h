#pragma once

#include "controller/controller_library.h"
#include "controller/held_controls.h"

#include <QTimer>
#include <functional>
#include <map>

namespace fathomer {

// Every game controller SDL recognises, read as one set of device controls. A control is held
// while any controller holds it; its press and its release are reported once each, so a held
// button acts once, as a held key does. Controllers may come and go at any time: a new one is
// opened at the next look, and one that goes away lets go of whatever it held.
//
// Reading is done by polling on the thread that owns the hub: slowly while no controller is
// attached, only to notice one being plugged in, and often while one is.
class ControllerHub {
public:
    // Told each press and release of a device control, and each press of the menu button (its
    // release does nothing).
    using ControlHandler = std::function<void(DeviceControl control, bool pressed)>;
    using MenuHandler = std::function<void()>;

    // How often the controllers are looked at, in milliseconds.
    static constexpr int kWatchInterval = 500;  // none attached
    static constexpr int kPlayInterval = 16;    // some attached: shorter than the briefest tap

    ControllerHub(ControlHandler controlHandler, MenuHandler menuHandler);
    ~ControllerHub();
    ControllerHub(const ControllerHub &) = delete;
    ControllerHub &operator=(const ControllerHub &) = delete;

    // Loads SDL and starts its game-controller subsystem beside any other SDL user in the
    // process, then starts looking. False when SDL is missing or refuses.
    bool start();
    bool started() const { return running; }

    // One look: notices controllers plugged in or pulled out and reports what changed.
    void poll();

    int connectedCount() const { return int(pads.size()); }
    int pollInterval() const { return timer.interval(); }

private:
    void closeDetachedPads();
    void openNewPads();
    void report(const HeldControls &now);

    ControlHandler controlHandler;
    MenuHandler menuHandler;
    const ControllerLibrary *sdl = nullptr;
    bool running = false;
    bool polling = false;
    std::map<SDL_JoystickID, SDL_GameController *> pads;
    HeldControls held;
    QTimer timer;
};

}  // namespace fathomer

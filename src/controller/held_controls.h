#pragma once

#include "game/device_control.h"

#include <bitset>
#include <cstddef>

namespace fathomer {

// What the game controllers hold at one moment: the device's controls, one bit each in the order
// of DeviceControl (the order in which presses found in one look are carried out), and the button
// that opens the popup menu, which works no device control.
struct HeldControls {
    std::bitset<kDeviceControlCount> controls;
    bool menu = false;

    void hold(DeviceControl control) { controls.set(std::size_t(control)); }
    bool holds(DeviceControl control) const { return controls.test(std::size_t(control)); }

    HeldControls &operator|=(const HeldControls &other) {
        controls |= other.controls;
        menu = menu || other.menu;
        return *this;
    }
};

}  // namespace fathomer

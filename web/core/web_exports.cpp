#include "web_device.h"

#include <cstdint>

// The C functions the page calls; every one works the program's single device. Cells count
// 0..20 in the core's table order (column by column, rows fastest).

using fathomer::DeviceControl;
using fathomer::web::WebDevice;

namespace {

WebDevice &device() {
    static WebDevice *made = [] {
        auto *fresh = new WebDevice;
        fresh->rules.Gam_Random.Randomize();
        return fresh;
    }();
    return *made;
}

bool validControl(int control) { return control >= 0 && control < fathomer::kDeviceControlCount; }
bool validCell(int cell) { return cell >= 0 && cell < fathomer::Vid_Cells; }
bool validClock(int clock) { return clock >= 0 && clock < 3; }

}  // namespace

extern "C" {

void fw_seed(std::uint32_t seed) { device().rules.Gam_Random.setSeed(seed); }

void fw_press(int control) {
    if (validControl(control)) device().controls.press(DeviceControl(control));
}

void fw_release(int control) {
    if (validControl(control)) device().controls.release(DeviceControl(control));
}

void fw_timeout(int clock) { device().timeout(clock); }

int fw_clock_enabled(int clock) { return validClock(clock) && device().clocks[std::size_t(clock)].enabled(); }
int fw_clock_interval(int clock) { return validClock(clock) ? device().clocks[std::size_t(clock)].interval() : 0; }
std::uint32_t fw_clock_starts(int clock) { return validClock(clock) ? device().clocks[std::size_t(clock)].starts : 0; }

int fw_ship_lit(int cell) { return validCell(cell) && device().shown.ship[std::size_t(cell)]; }
int fw_torpedo_lit(int cell) { return validCell(cell) && device().shown.torpedo[std::size_t(cell)]; }
// The picture source of panel position 1 (tens) or 2 (units): -1 empty, 0..9 digits, 10..14 a..e.
int fw_panel_picture(int position) {
    return position == 1 || position == 2 ? device().shown.panel[std::size_t(position - 1)] : -1;
}
int fw_panel_number() { return device().display.panelNumber(); }
// Whether state picture n (a StateImage: up, left, right, down pressed; power on; fire raised) shows.
int fw_state_shown(int n) { return n >= 0 && n < 6 && device().buttons.shown[std::size_t(n)]; }
int fw_power_on() { return device().rules.state().Power_On == 1; }
int fw_next_sound() { return device().sound.take(); }
int fw_running() { return device().rules.state().Gam_Running; }
int fw_shots_left() { return device().rules.state().Gam_Shots_Left; }

}  // extern "C"

#include "app/pad_bridge.h"

#include "platform/app_control.h"
#include "app/main_window.h"

#include <QEvent>
#include <QTimer>

namespace fathomer {

namespace {

// Long enough for the windows shown with the main window to paint first.
constexpr int kStartDelayMs = 250;

}  // namespace

PadBridge::PadBridge(TForm1 &form)
    : QObject(&form), form(form), hub([this](PadControl control, bool pressed) { act(control, pressed); }) {
    form.installEventFilter(this);
}

bool PadBridge::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QTimer::singleShot(kStartDelayMs, this, [this] { hub.start(); });
    }
    return false;
}

void PadBridge::act(PadControl control, bool pressed) {
    // Keys reach the device only while its window is active and enabled (the key settings dialog
    // disables it); a controller's presses follow the same rule. Releases always pass, so that
    // nothing stays held.
    if (pressed && !(form.isActiveWindow() && form.isEnabled())) return;
    runGuarded(&form, [&] { pressed ? press(control) : release(control); });
}

void PadBridge::press(PadControl control) {
    PlayerControls &controls = form.controls();
    switch (control) {
    case PadControl::Power: controls.Inp_power_down(); break;
    case PadControl::Up: controls.Inp_up_down(); break;
    case PadControl::Left: controls.Inp_left_down(); break;
    case PadControl::Right: controls.Inp_right_down(); break;
    case PadControl::Down: controls.Inp_down_down(); break;
    case PadControl::Fire: controls.Inp_fire_down(); break;
    case PadControl::Menu: toggleMenu(); break;
    }
}

void PadBridge::release(PadControl control) {
    PlayerControls &controls = form.controls();
    switch (control) {
    case PadControl::Up: controls.Inp_up_up(); break;
    case PadControl::Left: controls.Inp_left_up(); break;
    case PadControl::Right: controls.Inp_right_up(); break;
    case PadControl::Down: controls.Inp_down_up(); break;
    case PadControl::Fire: controls.Inp_fire_up(); break;
    case PadControl::Power:
    case PadControl::Menu: break;
    }
}

// Back opens the menu over the middle of the device; pressed again, it closes the menu, since a
// controller has no pointer to click elsewhere.
void PadBridge::toggleMenu() {
    const QRect background = form.skin().background()->geometry();
    const QRect device = background.isEmpty() ? form.rect() : background;
    form.togglePopupMenu(form.mapToGlobal(device.center()));
}

}  // namespace fathomer

#include "app/pad_bridge.h"

#include "app/device_session.h"
#include "app/main_window.h"
#include "platform/app_control.h"

#include <QEvent>
#include <QTimer>

namespace fathomer {

namespace {

// Long enough for the windows shown with the main window to paint first.
constexpr int kStartDelayMs = 250;

// The device control a controller's control works; Menu works none.
DeviceControl deviceControlOf(PadControl control) {
    switch (control) {
    case PadControl::Power: return DeviceControl::Power;
    case PadControl::Up: return DeviceControl::Up;
    case PadControl::Left: return DeviceControl::Left;
    case PadControl::Right: return DeviceControl::Right;
    case PadControl::Down: return DeviceControl::Down;
    case PadControl::Fire:
    case PadControl::Menu: break;
    }
    return DeviceControl::Fire;
}

}  // namespace

PadBridge::PadBridge(TForm1 &form, DeviceSession &session)
    : QObject(&form), form(form), session(session),
      hub([this](PadControl control, bool pressed) { act(control, pressed); }) {
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
    if (control == PadControl::Menu)
        toggleMenu();
    else
        session.controls().press(deviceControlOf(control));
}

void PadBridge::release(PadControl control) {
    if (control != PadControl::Menu) session.controls().release(deviceControlOf(control));
}

// Back opens the menu over the middle of the device; pressed again, it closes the menu, since a
// controller has no pointer to click elsewhere.
void PadBridge::toggleMenu() { form.togglePopupMenu(form.deviceMenuPoint()); }

}  // namespace fathomer

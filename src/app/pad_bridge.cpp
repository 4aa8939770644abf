#include "app/pad_bridge.h"

#include "app/device_session.h"
#include "app/main_window.h"
#include "platform/first_paint.h"

namespace fathomer {

namespace {

// Long enough for the windows shown with the main window to paint first.
constexpr int kStartDelayMs = 250;

}  // namespace

PadBridge::PadBridge(TForm1 &form, DeviceSession &session)
    : QObject(&form), form(form), session(session),
      hub([this](DeviceControl control, bool pressed) { act(control, pressed); }, [this] { menuPressed(); }) {
    afterFirstPaint(
        this, kStartDelayMs, [this] { hub.start(); }, &form);
}

// Keys reach the device only while its window is active and enabled (the key settings dialog
// disables it); a controller's presses follow the same rule.
bool PadBridge::takesPresses() const { return form.isActiveWindow() && form.isEnabled(); }

void PadBridge::act(DeviceControl control, bool pressed) {
    // Releases always pass, so that nothing stays held.
    if (pressed && !takesPresses()) return;
    pressed ? session.press(control) : session.release(control);
}

// Back opens the menu over the middle of the device; pressed again, it closes the menu, since a
// controller has no pointer to click elsewhere.
void PadBridge::menuPressed() {
    if (takesPresses()) form.togglePopupMenu(form.deviceMenuPoint());
}

}  // namespace fathomer

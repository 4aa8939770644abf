#pragma once

#include "controller/controller_hub.h"

#include <QObject>

namespace fathomer {

class DeviceSession;
class TForm1;

// Game controllers work the device's session as the main window's keys do, and Back opens the popup menu
// at the device. The controllers are started soon after the window's first paint, so that a
// program start never waits for SDL.
class PadBridge : public QObject {
public:
    PadBridge(TForm1 &form, DeviceSession &session);

    ControllerHub &controllers() { return hub; }

    // Carries out one press or release, and a press of the menu button, as the hub reports them.
    void act(DeviceControl control, bool pressed);
    void menuPressed();

private:
    // Presses reach the device only while its window takes keys.
    bool takesPresses() const;

    TForm1 &form;
    DeviceSession &session;
    ControllerHub hub;
};

}  // namespace fathomer

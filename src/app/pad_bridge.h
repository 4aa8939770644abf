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

    // Carries out one press or release, as the hub reports it.
    void act(PadControl control, bool pressed);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(PadControl control);
    void release(PadControl control);
    void toggleMenu();

    TForm1 &form;
    DeviceSession &session;
    ControllerHub hub;
};

}  // namespace fathomer

#pragma once

#include "game/device_control.h"
#include "platform/window_drag.h"

#include <QObject>
#include <QPoint>

namespace fathomer {

class DeviceSession;
class KeyBindings;
class Skin;
class TForm1;

// The player's input on the main window, on its way to the session: bound keys (through the key
// event filter, held keys as one press and its repeats) and the pictured buttons work the device's
// controls; the Menu key and Shift+F10 open the menu; the device's picture drags the window.
class DeviceInput : public QObject {
public:
    DeviceInput(TForm1 &window, DeviceSession &session, const KeyBindings &keys);

    void im_backgroundMouseDown(Qt::MouseButton button, QPoint position);
    void im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position);

private:
    void connectKeys(const KeyBindings &keys);
    void connectButtons(Skin &skin);
    void connectBackground(Skin &skin);
    TForm1 &window;
    DeviceSession &session;
    // A drag is handed to the window manager where it takes it, else the window follows by hand.
    WindowDrag dragging;
};

}  // namespace fathomer

#pragma once

#include "game/device_control.h"
#include "platform/window_drag.h"

#include <QObject>
#include <QPoint>
#include <functional>

class QWidget;

namespace fathomer {

class DeviceSession;
class KeyBindings;
class Skin;

// The player's input on the main window, on its way to the session: bound keys (through the key
// event filter, held keys as one press and its repeats) and the pictured buttons work the device's
// controls; the Menu key and Shift+F10 open the menu; the device's picture drags the window.
class DeviceInput : public QObject {
public:
    struct Window {
        // The session input goes to; none yet while the window is being made.
        std::function<DeviceSession *()> session;
        // Fullscreen covers the screen: nothing to drag.
        std::function<bool()> fullscreen;
        std::function<void()> openMenu;
    };
    DeviceInput(QWidget &window, Skin &skin, const KeyBindings &keys, Window hooks);

    void im_backgroundMouseDown(Qt::MouseButton button, QPoint position);
    void im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position);

private:
    void connectKeys(const KeyBindings &keys);
    void connectButtons(Skin &skin);
    void connectBackground(Skin &skin);
    // Input that reaches the device before the session is attached goes nowhere.
    void press(DeviceControl control);
    void release(DeviceControl control);

    QWidget &window;
    Window hooks;
    // A drag is handed to the window manager where it takes it, else the window follows by hand.
    WindowDrag dragging;
};

}  // namespace fathomer

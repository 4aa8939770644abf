#pragma once

#include "game/device_control.h"
#include "keys/key_repeat_filter.h"

#include <QObject>

namespace fathomer {

class KeyBindings;

// The one way from a window's key events to the device: installed on a window, it translates each
// key into its virtual-key code, drops the release half of the system's auto-repeat pairs and
// reports what remains, both as keys (for a window's own keys) and, with bindings, as presses and
// releases of the device's controls. Key events are left to the window afterwards, except Shift+F10
// in a window that listens to menuKeyPressed: there it opens the context menu, as the Menu key
// does, and is reported as that alone.
class KeyEventFilter : public QObject {
    Q_OBJECT
public:
    // bindings may be null for a window that takes keys but works no device control.
    KeyEventFilter(QObject &window, const KeyBindings *bindings);

    // Forgets a held-back release (see KeyRepeatFilter).
    void cancel() { repeats.cancel(); }

signals:
    void keyPressed(quint16 key, bool autoRepeat);
    void keyReleased(quint16 key);
    void controlPressed(fathomer::DeviceControl control);
    void controlReleased(fathomer::DeviceControl control);
    void menuKeyPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void pressed(quint16 key, bool autoRepeat);
    void released(quint16 key);

    const KeyBindings *bindings;
    KeyRepeatFilter repeats;
};

}  // namespace fathomer

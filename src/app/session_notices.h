#pragma once

#include <QObject>

namespace fathomer {

class ButtonHints;
class DeviceAccessibility;
class DeviceSession;
class KeyBindings;

// What follows the game beyond its LEDs, renewed here alone from the session's notice: the
// button hints, which name the bound keys and whether the power button turns the game on or off,
// and the texts and news for screen readers. A child of the session.
class SessionNotices : public QObject {
    Q_OBJECT
public:
    // The hints are set at once, for the device as it is.
    SessionNotices(DeviceSession &session, const KeyBindings &keys, ButtonHints &hints,
                   DeviceAccessibility &accessibility);

    // The key settings bound other keys: every hint is renewed.
    void bindingsChanged();

private:
    const DeviceSession &session;
    const KeyBindings &keys;
    ButtonHints &hints;
    DeviceAccessibility &accessibility;
};

}  // namespace fathomer

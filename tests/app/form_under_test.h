#pragma once

#include "app/device_accessibility.h"
#include "app/device_input.h"
#include "app/device_session.h"
#include "app/main_window.h"
#include "app/session_notices.h"
#include "app/sound_failure_report.h"
#include "keys/key_bindings.h"
#include "platform/settings_store.h"
#include "session_seam.h"

namespace fathomer::testing {

// The main window with the settings store and key bindings the program would lend it, made first,
// then its game session and the input that works it, as the program makes them.
struct WindowServices {
    Settings_Store store;
    KeyBindings keys;
};

class FormUnderTest : private WindowServices, public TForm1 {
public:
    explicit FormUnderTest(const QString &configFolder)
        : TForm1(WindowServices::store, WindowServices::keys, configFolder), failures(WindowServices::store, *this),
          gameSession(display(), skin(), failures), input(new DeviceInput(*this, gameSession, WindowServices::keys)),
          accessibility(new DeviceAccessibility(*this, skin(), reading(), gameSession)),
          notices_(new SessionNotices(gameSession, WindowServices::keys, skin(), *accessibility)) {}

    DeviceSession &session() { return gameSession; }
    KeyBindings &boundKeys() { return WindowServices::keys; }
    SessionNotices &notices() { return *notices_; }

private:
    SoundFailureReport failures;
    DeviceSession gameSession;
    DeviceInput *input;  // the window's children
    DeviceAccessibility *accessibility;
    SessionNotices *notices_;
};

}  // namespace fathomer::testing

#pragma once

#include "app/main_window.h"
#include "app/window_session.h"
#include "keys/key_bindings.h"
#include "platform/settings_store.h"

namespace fathomer::testing {

// The main window with the settings store and key bindings the program would lend it, made first,
// and its game session.
struct WindowServices {
    Settings_Store store;
    KeyBindings keys;
};

class FormUnderTest : private WindowServices, public TForm1 {
public:
    explicit FormUnderTest(const QString &configFolder)
        : TForm1(WindowServices::store, WindowServices::keys, configFolder),
          gameSession(startSession(*this, WindowServices::keys)) {}

private:
    std::unique_ptr<DeviceSession> gameSession;
};

}  // namespace fathomer::testing

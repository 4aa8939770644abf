#pragma once

#include "app/main_window.h"
#include "keys/key_bindings.h"
#include "platform/settings_store.h"

namespace fathomer::testing {

// The main window with the settings store and key bindings the program would lend it, made first.
struct WindowServices {
    Settings_Store store;
    KeyBindings keys;
};

class FormUnderTest : private WindowServices, public TForm1 {
public:
    explicit FormUnderTest(const QString &configFolder)
        : TForm1(WindowServices::store, WindowServices::keys, configFolder) {}
};

}  // namespace fathomer::testing

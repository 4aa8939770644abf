#pragma once

#include "app/device_session.h"
#include "app/main_window.h"
#include "app/splash_bridge.h"
#include "keys/key_bindings.h"
#include "keys/keys_form.h"
#include "platform/settings_store.h"
#include "screens/splash_form.h"
#include "windows/about.h"
#include "windows/manual.h"

#include <memory>

namespace fathomer {

// The program's settings store, its key bindings, the game session and its windows. The store opens first and stays
// open until the program ends; every window gets it from here. The key bindings are the program's,
// lent to the main window and the key settings dialog. The main window comes first (it loads the
// skin and key bindings that the others read), then the splash; the about window, the key settings
// dialog and the manual, in that order, once the first window is on the screen.
class Program {
public:
    explicit Program(const QString &configFolder = {});

    TForm1 &mainWindow() { return form; }
    DeviceSession &session() { return *gameSession; }
    TSplashForm &splash() { return *splashForm; }
    // The windows that only a menu opens are made once the first window is painted, or when first
    // asked for if that is sooner.
    TAboutForm &about();
    TManualForm &manual();
    TKeysForm &keys();
    KeyBindings &keyBindings() { return bindings; }

    // What the event loop's start does: the main window shows once a centring request placed it,
    // and a splash that is still to be shown comes up. The program icon and the windows that only
    // a menu opens follow the first paint.
    void show();

private:
    QString configFolder;
    Settings_Store store;
    KeyBindings bindings;  // before the window, which loads them
    TForm1 form;
    std::unique_ptr<DeviceSession> gameSession;  // on the window's skin; goes before the window
    std::unique_ptr<SplashBridge> bridge;
    std::unique_ptr<TAboutForm> aboutForm;
    std::unique_ptr<TKeysForm> keysForm;
    // The manual's page is the run's: it outlives any one showing of the window.
    ManualPage manualPage;
    std::unique_ptr<TManualForm> manualForm;
    std::unique_ptr<TSplashForm> splashForm;
};

}  // namespace fathomer

#pragma once

#include "app/device_session.h"
#include "app/main_window.h"
#include "app/sound_failure_report.h"
#include "app/splash_bridge.h"
#include "keys/key_bindings.h"
#include "keys/keys_form.h"
#include "platform/settings_store.h"
#include "screens/splash_form.h"
#include "windows/about.h"
#include "windows/manual.h"

#include <memory>

namespace fathomer {

class DeviceInput;
class PadBridge;
class SessionNotices;

// The whole program, made in one pass, each part after what it needs: the settings store, Config.ini
// read ahead, the main window with the device's skin (which loads the key bindings), the game
// session on that skin, the player's input and the game controllers given both, and the splash.
// The about window, the key settings dialog and the manual follow once the first window is on
// the screen. Everything goes in the reverse order.
class Program {
public:
    explicit Program(const QString &configFolder = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    TForm1 &mainWindow() { return *form; }
    DeviceSession &session() { return *gameSession; }
    TSplashForm &splash() { return *splashForm; }
    // The windows that only a menu opens are made once the first window is painted, or when first
    // asked for if that is sooner.
    TAboutForm &about();
    TManualForm &manual();
    TKeysForm &keys();
    KeyBindings &keyBindings() { return bindings; }

    // What the event loop's start does: the splash decides whether it is skipped (Play at once)
    // or shown, the main window shows once a centring request placed it, and a splash that is to
    // be seen comes up. The program icon and the windows that only a menu opens follow the first
    // paint.
    void show();

private:
    void connectWindows();

    QString configFolder;
    Settings_Store store;
    KeyBindings bindings;  // loaded by the main window's creation
    std::unique_ptr<TForm1> form;
    std::unique_ptr<SoundFailureReport> soundFailures;
    std::unique_ptr<DeviceSession> gameSession;
    std::unique_ptr<DeviceInput> input;
    SessionNotices *notices = nullptr;  // the session's child
    std::unique_ptr<PadBridge> pads;
    std::unique_ptr<SplashBridge> splashHost;
    std::unique_ptr<TSplashForm> splashForm;
    std::unique_ptr<TAboutForm> aboutForm;
    std::unique_ptr<TKeysForm> keysForm;
    // The manual's page is the run's: it outlives any one showing of the window.
    ManualPage manualPage;
    std::unique_ptr<TManualForm> manualForm;
};

}  // namespace fathomer

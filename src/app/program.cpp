#include "app/program.h"

#include "app/pad_bridge.h"
#include "app/window_session.h"
#include "platform/app_control.h"
#include "platform/first_paint.h"
#include "platform/hidden_window_polish.h"
#include "platform/keyboard_return.h"
#include "platform/picture_file.h"

namespace fathomer {

namespace {

// Long enough for a compositor to bring the first picture to the screen.
constexpr int kOtherWindowsDelayMs = 100;

// Unparented: no window of the program is in view yet, and the box must be seen.
void showSettingsNotice(const QString &text) { showNotice(nullptr, text); }

}  // namespace

Program::Program(const QString &configFolder)
    : configFolder(configFolder), store(showSettingsNotice), form(store, bindings, configFolder) {
    gameSession = startSession(form, bindings);
    bridge = std::make_unique<SplashBridge>(form, *gameSession);
    splashForm = std::make_unique<TSplashForm>(store, *bridge);
    TForm1::OtherWindows windows;
    windows.splash = splashForm.get();
    windows.splashCheckBoxState = [this] { return splashForm->showsAtStartup(); };
    windows.showAbout = [this] { about().showAbout(); };
    windows.showManual = [this] { manual().showManual(); };
    windows.showKeySettings = [this] { keys().showCentred(); };
    form.attachWindows(windows);
    new PadBridge(form, *gameSession);  // game controllers; owned by the main window
}

TAboutForm &Program::about() {
    if (!aboutForm) {
        aboutForm = std::make_unique<TAboutForm>();
        returnKeyboardOnClose(*aboutForm);
    }
    return *aboutForm;
}

TKeysForm &Program::keys() {
    if (!keysForm) {
        keysForm = std::make_unique<TKeysForm>(
            store, bindings, form.skin(), [this] { return gameSession->rules().state().Power_On; }, &form);
        returnKeyboardOnClose(*keysForm);
    }
    return *keysForm;
}

// Its pages are read here, once for the run.
TManualForm &Program::manual() {
    if (!manualForm) {
        manualForm = std::make_unique<TManualForm>(configFolder, form.configuration(), &manualPage);
        returnKeyboardOnClose(*manualForm);
    }
    return *manualForm;
}

void Program::show() {
    holdBackPolishOfHiddenWindows();
    form.showWhenPlaced();
    // A splash that was not skipped shows as soon as its creation completes, and takes the
    // keyboard: without a window manager nothing else would give it.
    splashForm->comeForwardIfPending(false);
    afterFirstPaint(&form, kOtherWindowsDelayMs, [this] {
        // Every window, the splash and dialogs included, carries the program icon.
        giveProgramIcon();
        about();
        keys();
        manual();
    });
}

}  // namespace fathomer

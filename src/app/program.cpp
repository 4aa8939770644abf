#include "app/program.h"

#include "app/pad_bridge.h"
#include "app/window_session.h"
#include "platform/app_control.h"
#include "platform/hidden_window_polish.h"
#include "platform/keyboard_return.h"

namespace fathomer {

namespace {

// Unparented: no window of the program is in view yet, and the box must be seen.
void showSettingsNotice(const QString &text) { showNotice(nullptr, text); }

}  // namespace

Program::Program(const QString &configFolder) : store(showSettingsNotice), form(store, bindings, configFolder) {
    gameSession = startSession(form, bindings);
    bridge = std::make_unique<SplashBridge>(form, *gameSession);
    aboutForm = std::make_unique<TAboutForm>();
    keysForm = std::make_unique<TKeysForm>(
        store, bindings, form.skin(), [this] { return gameSession->rules().state().Power_On; }, &form);
    manualForm = std::make_unique<TManualForm>(configFolder, form.configuration(), &manualPage);
    splashForm = std::make_unique<TSplashForm>(store, *bridge);
    TForm1::OtherWindows windows;
    windows.splash = splashForm.get();
    windows.splashCheckBoxState = [this] { return splashForm->showsAtStartup(); };
    windows.showAbout = [this] { aboutForm->showAbout(); };
    windows.showManual = [this] { manualForm->showManual(); };
    windows.showKeySettings = [this] { keysForm->showCentred(); };
    form.attachWindows(windows);
    for (QWidget *window : {static_cast<QWidget *>(aboutForm.get()), static_cast<QWidget *>(keysForm.get()),
                            static_cast<QWidget *>(manualForm.get())})
        returnKeyboardOnClose(*window);
    new PadBridge(form, *gameSession);  // game controllers; owned by the main window
}

void Program::show() {
    holdBackPolishOfHiddenWindows();
    form.showWhenPlaced();
    // A splash that was not skipped shows as soon as its creation completes, and takes the
    // keyboard: without a window manager nothing else would give it.
    splashForm->comeForwardIfPending(false);
}

}  // namespace fathomer

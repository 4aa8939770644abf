#include "app/program.h"

#include "platform/app_control.h"
#include "app/pad_bridge.h"

namespace fathomer {

Program::Program(const QString &configFolder) : form(bindings, configFolder) {
    aboutForm = std::make_unique<TAboutForm>();
    keysForm = std::make_unique<TKeysForm>(
        form.Settings(), bindings, form.device(), [this] { return form.rules().state().Power_On; }, &form);
    manualForm = std::make_unique<TManualForm>(configFolder, form.configuration);
    splashForm = std::make_unique<TSplashForm>(form.Settings(), bridge);
    form.splashWindow = splashForm.get();
    form.splashCheckBoxState = [this] { return splashForm->chb_splashscreen->isChecked(); };
    form.showAbout = [this] { aboutForm->showAbout(); };
    form.showManual = [this] { manualForm->showManual(); };
    form.showKeySettings = [this] { keysForm->showCentred(); };
    new PadBridge(form);  // game controllers; owned by the main window
}

void Program::show() {
    form.showWhenPlaced();
    // A splash that was not skipped shows as soon as its creation completes, and takes the
    // keyboard: without a window manager nothing else would give it.
    if (Splash_Pending) {
        splashForm->show();
        splashForm->raise();
        splashForm->activateWindow();
    }
}

}  // namespace fathomer

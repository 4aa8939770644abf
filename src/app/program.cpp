#include "program.h"

#include "app_control.h"

namespace fathomer {

Program::Program(const QString &configFolder) : form(configFolder) {
    splashForm = std::make_unique<TSplashForm>(form.Settings(), bridge);
    form.splashWindow = splashForm.get();
    form.splashCheckBoxState = [this] { return splashForm->chb_splashscreen->isChecked(); };
}

void Program::show() {
    form.show();
    // A splash that was not skipped shows as soon as its creation completes.
    if (Splash_Pending) splashForm->show();
}

}  // namespace fathomer

#include "app/sound_failure_report.h"

#include "platform/app_control.h"
#include "platform/settings_store.h"

namespace fathomer {

void SoundFailureReport::showError(const QString &text) { showFatalError(&window, text); }

// A store that refuses the writes is reported; the program still ends after it.
void SoundFailureReport::storeFailure() {
    runGuarded(&window, [this] {
        store.Write(settings::soundMode, settings::soundMode.defaultValue);
        store.Write(settings::splashScreen, true);
    });
}

void SoundFailureReport::requestTerminate() { fathomer::requestTerminate(); }

}  // namespace fathomer

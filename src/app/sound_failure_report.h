#pragma once

#include "sound/sound_output.h"

class QWidget;

namespace fathomer {

class Settings_Store;

// What a failed sound start does beyond the sound layer: the "Error" box over the main window, the
// settings that ask for a new choice at the next start, and the program's end. The end comes
// whatever the store does with those settings.
class SoundFailureReport final : public SoundFailureHandler {
public:
    SoundFailureReport(Settings_Store &store, QWidget &window) : store(store), window(window) {}

    void showError(const QString &text) override;
    void storeFailure() override;
    void requestTerminate() override;

private:
    Settings_Store &store;
    QWidget &window;
};

}  // namespace fathomer

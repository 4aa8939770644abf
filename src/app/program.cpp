#include "app/program.h"

#include "app/device_accessibility.h"
#include "app/device_input.h"
#include "app/pad_bridge.h"
#include "app/session_notices.h"
#include "platform/app_control.h"
#include "platform/config_copy_notice.h"
#include "platform/first_paint.h"
#include "platform/hidden_window_polish.h"
#include "platform/keyboard_return.h"
#include "platform/picture_file.h"

#include <QCoreApplication>

namespace fathomer {

namespace {

// Long enough for a compositor to bring the first picture to the screen.
constexpr int kOtherWindowsDelayMs = 100;

// Unparented: no window of the program is in view yet, and the box must be seen.
void showSettingsNotice(const QString &text) { showNotice(nullptr, text); }

QString programFolderOr(const QString &configFolder) {
    return configFolder.isEmpty() ? QCoreApplication::applicationDirPath() : configFolder;
}

}  // namespace

// No step raises: each reports its own errors and the next one goes on.
Program::Program(const QString &configFolder) : configFolder(programFolderOr(configFolder)), store(showSettingsNotice) {
    form = std::make_unique<TForm1>(store, bindings, this->configFolder,
                                    prefetchSkin(store, configurationPath(this->configFolder)));
    soundFailures = std::make_unique<SoundFailureReport>(store, *form);
    gameSession = std::make_unique<DeviceSession>(form->display(), form->skin(), *soundFailures, form.get());
    input = std::make_unique<DeviceInput>(*form, *gameSession, bindings);
    // Both children: of the window and of the session.
    notices = new SessionNotices(*gameSession, bindings, form->skin(),
                                 *new DeviceAccessibility(*form, form->skin(), form->reading(), *gameSession));
    pads = std::make_unique<PadBridge>(*form, *gameSession);
    splashHost = std::make_unique<SplashBridge>(*form, *gameSession);
    splashForm = std::make_unique<TSplashForm>(store, *splashHost);
    connectWindows();
}

Program::~Program() = default;

void Program::connectWindows() {
    QObject::connect(form.get(), &TForm1::activated, splashForm.get(), [this] {
        splashForm->comeForwardIfPending(true);
        // The device is disabled while the key settings dialog is open: a click on it gives the
        // keyboard back to the dialog, as the owner of a modal dialog does.
        if (keysForm && keysForm->isVisible()) {
            keysForm->raise();
            keysForm->activateWindow();
        }
    });
    QObject::connect(form.get(), &TForm1::closing, form.get(), [this] { gameSession->close(); });
    QObject::connect(form.get(), &TForm1::aboutRequested, form.get(), [this] { about().showAbout(); });
    QObject::connect(form.get(), &TForm1::manualRequested, form.get(), [this] { manual().showManual(); });
    QObject::connect(form.get(), &TForm1::keySettingsRequested, form.get(), [this] { keys().showCentred(); });
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
            store, bindings, [this] { notices->bindingsChanged(); }, form.get());
        returnKeyboardOnClose(*keysForm);
    }
    return *keysForm;
}

// Its pages are read here, once for the run.
TManualForm &Program::manual() {
    if (!manualForm) {
        manualForm = std::make_unique<TManualForm>(configFolder, form->configuration(), &manualPage);
        returnKeyboardOnClose(*manualForm);
    }
    return *manualForm;
}

void Program::show() {
    holdBackPolishOfHiddenWindows();
    // Skipped, the splash's Play has made the centring request that lets the window show.
    splashForm->FormCreate();
    form->showWhenPlaced();
    // A splash that was not skipped shows as soon as its creation completes, and takes the
    // keyboard: without a window manager nothing else would give it.
    splashForm->comeForwardIfPending(false);
    afterFirstPaint(form.get(), kOtherWindowsDelayMs, [this] {
        // Every window, the splash and dialogs included, carries the program icon.
        giveProgramIcon();
        about();
        keys();
        manual();
        // A user's own Config.ini that a new release's no longer matches: told once.
        noticeChangedShippedConfiguration(form.get(), configFolder);
    });
}

}  // namespace fathomer

#include "app/main_window.h"

#include "app/gfxinit.h"
#include "keys/key_bindings.h"
#include "platform/app_control.h"
#include "platform/config_file.h"
#include "platform/desktop_opener.h"
#include "platform/freed_memory.h"
#include "platform/program_folder.h"
#include "platform/reported_read.h"
#include "platform/screen_cover.h"
#include "platform/screen_placement.h"
#include "platform/window_extent.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QUrl>
#include <QWindow>

namespace fathomer {

TForm1::TForm1(Settings_Store &store, KeyBindings &keys, const QString &configFolder, SkinPrefetch startup)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), store(store), keyBindings(keys),
      configFolder(configFolder.isEmpty() ? QCoreApplication::applicationDirPath() : configFolder),
      startupSkin(std::move(startup)) {
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
    setWindowColour(Qt::white);
    resize(435, 750);
    createComponents();
    // Keyed on white until the skin sets its own colour: a skin that stops loading early
    // leaves the window see-through, not a white block.
    setColourKey(QColor(Qt::white));
    displayReading = std::make_unique<DisplayReading>(skin());
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::createComponents() {
    deviceSkin = std::make_unique<Skin>(*this, [this](QRect changed) { colourKeying.scheduleWindowShape(changed); });
    colourKeying.keepOutlineOf(*deviceSkin->background());
    PopupMenu::Handlers handlers;
    handlers.about = [this] { pm_1_aboutClick(); };
    handlers.readme = [this] { pm_2_readmeClick(); };
    handlers.whatsnew = [this] { pm_3_whatsnewClick(); };
    handlers.manual = [this] { pm_4_manualClick(); };
    handlers.config = [this] { pm_6_configClick(); };
    handlers.keys = [this] { pm_7_keysClick(); };
    handlers.fullscreen = [this] { pm_10_fullscreenClick(); };
    handlers.splashscreen = [this] { pm_11_splashscreenClick(); };
    handlers.exit = [this] { pm_14_exitClick(); };
    handlers.popup = [this] { pm_0_menuPopup(); };
    popupMenu = new PopupMenu(this, handlers);
    gameMenu = new GameMenu(this, skin().gameMenuBackground(), skin().gameMenuButton());
}

QString TForm1::configFilePath() const { return configurationPath(configFolder); }

void TForm1::FormCreate() {
    // Every step runs even after an earlier one failed: later key events and menus rely on the
    // tables and bindings that the later steps set up.
    const auto step = [this](const std::function<void()> &work) { runGuarded(this, work); };
    step([] { QGuiApplication::setApplicationDisplayName(QString()); });
    step([this] { setWindowTitle(kApplicationTitle); });
    step([this] { moveOffScreen(); });
    step([this] {
        // A value that cannot be read is reported and taken as its default, as the read ahead
        // of the skin's pictures took it.
        Fullscreen_Mode = readReported(store, settings::fullscreenMode);
        popupMenu->markFullscreen(Fullscreen_Mode);
        matchTranslucency();
    });
    step([this] { loadSkin(); });
    step([this] { gameMenu->forgetOpen(); });
    step([this] {
        ReportedReads reads(store);
        keyBindings.Key_Load_Bindings(reads);
    });
    step([this] { gameMenu->mirror(*popupMenu); });
}

void TForm1::FormActivate() { emit activated(); }

void TForm1::FormClose() { emit closing(); }

void TForm1::closeEvent(QCloseEvent *event) {
    FormClose();
    event->accept();
    // Closing the main window ends the program, whatever other windows are still open.
    QCoreApplication::quit();
}

bool TForm1::event(QEvent *event) {
    if (event->type() == QEvent::WindowActivate) FormActivate();
    // A new native window gets the shape in window pixels; where those are not whole device
    // pixels it needs the exact shape again.
    if (event->type() == QEvent::WinIdChange && devicePixelRatioF() != 1.0) colourKeying.scheduleWindowShape();
    return QWidget::event(event);
}

// From the keyboard (the Menu key) the menu opens at the device, not wherever the pointer rests.
void TForm1::contextMenuEvent(QContextMenuEvent *event) {
    const bool byMouse = event->reason() == QContextMenuEvent::Mouse;
    popupMenu->popupAt(byMouse ? event->globalPos() : deviceMenuPoint(), !byMouse);
}

void TForm1::pm_0_menuPopup() {
    popupMenu->markSplashScreen(readReported(store, settings::splashScreen, splashCheckBoxAtPlay));
    if (Fullscreen_Mode && gameMenu->isOpen()) gameMenu->fold();
}

void TForm1::pm_1_aboutClick() { emit aboutRequested(); }

void TForm1::pm_2_readmeClick() {
    openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(programFile(QStringLiteral("Readme.txt")))));
}

void TForm1::pm_3_whatsnewClick() {
    openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(programFile(QStringLiteral("Whatsnew.txt")))));
}

void TForm1::pm_4_manualClick() { emit manualRequested(); }

void TForm1::pm_6_configClick() {
    // The file the skin is read from, or the user's copy of it where the user may not write that one.
    openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(configurationPathToEdit(configFolder))));
}

void TForm1::pm_7_keysClick() { emit keySettingsRequested(); }

void TForm1::pm_11_splashscreenClick() {
    // The action has already flipped its own mark.
    store.Write(settings::splashScreen, popupMenu->splashScreenMarked());
}

void TForm1::pm_14_exitClick() { fathomer::requestTerminate(); }

void TForm1::enterDisplayMode(bool fullscreen) {
    // A shown window comes back shown, also when it is made again for the mode.
    if (isVisible()) showAllowed = true;
    Fullscreen_Mode = fullscreen;
    popupMenu->markFullscreen(fullscreen);
    gameMenu->forgetOpen();
    moveOffScreen();
    matchTranslucency();
    loadSkin();
    centreOnScreen();
    returnFreedMemorySoon(this);
}

// After a failed switch: the mode it was in, stored as in memory, and the window back in view.
// Only the first error is reported; one that repeats while going back adds nothing.
void TForm1::returnToDisplayMode(bool fullscreen) {
    try {
        store.Write(settings::fullscreenMode, fullscreen);
    } catch (const std::exception &) {}
    try {
        enterDisplayMode(fullscreen);
    } catch (const std::exception &) {
        centreOnScreen();
    }
}

void TForm1::pm_10_fullscreenClick() {
    runGuarded(this, [this] {
        // The keys pressed from now on are kept for the window, which is soon made again.
        if (isVisible()) keyboardKeeper->hold();
        // Fold the game menu first, so its rows never outlive the flag (F12 skips the popup's fold).
        gameMenu->fold();
        const bool previous = Fullscreen_Mode;
        // A refused write changes nothing: the window stays as it is, in the mode that is stored.
        store.Write(settings::fullscreenMode, !previous);
        try {
            enterDisplayMode(!previous);
        } catch (...) {
            returnToDisplayMode(previous);
            throw;
        }
    });
}

void TForm1::centreOnScreen() {
    fathomer::centreOnScreen(*this);
    applyDisplayState();
    placedInView = true;
    if (showAllowed && !isVisible()) {
        show();
        raise();
        // Made again for a new display mode, the window takes the keyboard back only once the
        // keys have stopped switching modes (see KeyboardKeeper).
        if (!keyboardKeeper->holding()) activateWindow();
    }
    if (Fullscreen_Mode && isVisible()) coverScreenExactly(*this);
}

void TForm1::showWhenPlaced() {
    showAllowed = true;
    if (!placedInView) return;
    show();
    raise();
    activateWindow();
    if (Fullscreen_Mode) coverScreenExactly(*this);
}

void TForm1::moveOffScreen() {
    // Out of fullscreen first: a window manager keeps a fullscreen window where it is.
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    const QRect screen = primaryScreenArea();
    move(-screen.width(), -screen.height());
}

void TForm1::applyDisplayState() {
    // The geometry alone covers the screen without a window manager; with one, only the
    // fullscreen state puts the window above panels and keeps it from being taken as maximised.
    const Qt::WindowStates now = windowState();
    const Qt::WindowStates wanted = Fullscreen_Mode ? now | Qt::WindowFullScreen : now & ~Qt::WindowFullScreen;
    if (wanted != now) setWindowState(wanted);
}

void TForm1::setClientSize(int width, int height) {
    // A fixed size: window managers then offer no maximising or resizing of the device. Fullscreen
    // takes the screen's exact size, which at a fractional scale no fixed window size matches.
    if (Fullscreen_Mode) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(cappedWindowSize(width, height));
    } else {
        setFixedSize(cappedWindowSize(width, height));
    }
    skin().backdrop()->setGeometry(rect());
}

void TForm1::setWindowColour(QColor colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

}  // namespace fathomer

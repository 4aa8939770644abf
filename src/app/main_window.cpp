#include "app/main_window.h"

#include "platform/app_control.h"
#include "app/gfxinit.h"
#include "keys/key_bindings.h"
#include "keys/key_hints.h"
#include "keys/key_repeat_filter.h"
#include "keys/virtual_key.h"
#include "app/window_shape.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QUrl>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

namespace fathomer {

namespace {

// X11 keeps window coordinates and sizes in 16 bits; stay well inside that everywhere.
// Larger than any real display, yet a window buffer that stays affordable.
constexpr int kMaxExtent = 8192;

QRect primaryScreenGeometry() {
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 800, 600);
}

}  // namespace

TForm1::TForm1(KeyBindings &keys, const QString &configFolder)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      keyBindings(keys),
      configFolder(configFolder.isEmpty() ? QCoreApplication::applicationDirPath() : configFolder) {
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    // Where a compositor draws the windows the shape may not be applied at all: the windowed
    // device leaves its see-through pixels transparent as well. The window system picks the
    // window's visual when the native window is made, so this must come before that.
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(true);
    setWindowColour(Qt::white);
    resize(435, 750);
    createComponents();
    // Keyed on white until the skin sets its own colour: a skin that stops loading early
    // leaves the window see-through, not a white block.
    setColourKey(QColor(Qt::white));
    gameClock = std::make_unique<TimerClock>(*Timer_Game);
    repriseClock = std::make_unique<TimerClock>(*Timer_Reprise);
    gameOverClock = std::make_unique<TimerClock>(*Timer_Game_Over);
    gameRules = std::make_unique<GameRules>(deviceView, gameSound, *gameClock, *repriseClock, *gameOverClock);
    playerControls = std::make_unique<PlayerControls>(*gameRules, deviceView);
    playerControls->Power_Switched = [this](qint32 powerOn) { Key_Set_Power_Hint(keyBindings, deviceView, powerOn); };
    // Held keys reach the controls as one press and its repeats, then one release.
    keyRepeats = new KeyRepeatFilter([this](quint16 key, bool) { runGuarded(this, [&] { FormKeyDown(key); }); },
                                     [this](quint16 key) { runGuarded(this, [&] { FormKeyUp(key); }); }, this);
    connectButtons();
    FormCreate();
}

TForm1::~TForm1() = default;

SkinImage *TForm1::addImage(const QString &name, bool transparent, bool visible) {
    auto *image = new SkinImage(this, name, transparent);
    image->setVisible(visible);
    return image;
}

void TForm1::createComponents() {
    im_backdrop = addImage(QStringLiteral("im_backdrop"), false, true);
    im_backdrop->setGeometry(0, 0, 435, 760);
    im_backdrop->setCenter(true);
    im_backdrop_logo = addImage(QStringLiteral("im_backdrop_logo"), true, true);
    im_backdrop_logo->setGeometry(0, 0, 64, 64);
    im_background = addImage(QStringLiteral("im_background"), true, true);
    im_panel_digit_pos_1 = addImage(QStringLiteral("im_panel_digit_pos_1"), false, true);
    im_panel_digit_pos_2 = addImage(QStringLiteral("im_panel_digit_pos_2"), false, true);
    static const char *const kDigitNames = "0123456789abcde";
    for (int i = 0; i < 15; ++i)
        im_panel_number[i] = addImage(QStringLiteral("im_panel_number_%1").arg(QChar(kDigitNames[i])), true, false);
    for (int col = 1; col <= 7; ++col)
        for (int row = 1; row <= 3; ++row)
            im_ship[(col - 1) * 3 + row - 1] = addImage(QStringLiteral("im_ship_%1_%2").arg(col).arg(row), true, false);
    for (int col = 1; col <= 7; ++col)
        for (int row = 1; row <= 3; ++row)
            im_torpedo[(col - 1) * 3 + row - 1] =
                addImage(QStringLiteral("im_torpedo_%1_%2").arg(col).arg(row), true, false);
    im_background_overlay_top = addImage(QStringLiteral("im_background_overlay_top"), true, true);
    btn_right_down = addImage(QStringLiteral("btn_right_down"), true, false);
    btn_down_down = addImage(QStringLiteral("btn_down_down"), true, false);
    btn_left_down = addImage(QStringLiteral("btn_left_down"), true, false);
    btn_up_down = addImage(QStringLiteral("btn_up_down"), true, false);
    btn_power_on = addImage(QStringLiteral("btn_power_on"), false, false);
    btn_power_top = addImage(QStringLiteral("btn_power_top"), false, true);
    btn_right_top = addImage(QStringLiteral("btn_right_top"), true, true);
    btn_up_top = addImage(QStringLiteral("btn_up_top"), true, true);
    btn_down_top = addImage(QStringLiteral("btn_down_top"), true, true);
    btn_left_top = addImage(QStringLiteral("btn_left_top"), true, true);
    btn_fire_up = addImage(QStringLiteral("btn_fire_up"), true, true);
    btn_fire_top = addImage(QStringLiteral("btn_fire_top"), true, true);
    for (SkinImage *button : {btn_power_top, btn_right_top, btn_up_top, btn_down_top, btn_left_top, btn_fire_top})
        button->setCursor(Qt::PointingHandCursor);
    btn_up_top->setToolTip(QStringLiteral("press arrow keys"));
    btn_game_menu_background = addImage(QStringLiteral("btn_game_menu_background"), false, true);
    btn_game_menu_background->setGeometry(0, 0, 36, 32);
    btn_game_menu_top = addImage(QStringLiteral("btn_game_menu_top"), false, true);
    btn_game_menu_top->setGeometry(0, 0, 36, 32);
    btn_game_menu_top->setCursor(Qt::PointingHandCursor);

    for (QTimer **timer : {&Timer_Reprise, &Timer_Game, &Timer_Game_Over}) {
        *timer = new QTimer(this);
        (*timer)->setTimerType(Qt::PreciseTimer);
        (*timer)->setInterval(1);
    }
    Timer_Reprise->setObjectName(QStringLiteral("Timer_Reprise"));
    Timer_Game->setObjectName(QStringLiteral("Timer_Game"));
    Timer_Game_Over->setObjectName(QStringLiteral("Timer_Game_Over"));

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
    pm_0_menu = popupMenu->pm_0_menu;
    pm_10_fullscreen = popupMenu->pm_10_fullscreen;
    pm_11_splashscreen = popupMenu->pm_11_splashscreen;
    gameMenu = new GameMenu(this, btn_game_menu_background, btn_game_menu_top, Game_Menu_Open);

    for (SkinImage *image : {im_background, im_background_overlay_top}) {
        connect(image, &SkinImage::mouseDown, this,
                [this](Qt::MouseButton button, Qt::MouseButtons, QPoint at) { im_backgroundMouseDown(button, at); });
        connect(image, &SkinImage::mouseMove, this,
                [this](Qt::MouseButtons buttons, QPoint at) { im_backgroundMouseMove(buttons, at); });
    }
}

void TForm1::fillImageTables() {
    Vid_Panel_Table[0] = im_panel_digit_pos_1;
    Vid_Panel_Table[1] = im_panel_digit_pos_2;
    for (int i = 0; i < 15; ++i) Vid_Panel_Table[2 + i] = im_panel_number[i];
    Vid_Ship_Table = im_ship;
    Vid_Torpedo_Table = im_torpedo;
}

void TForm1::connectButtons() {
    const auto guarded = [this](auto work) { return [this, work] { runGuarded(this, work); }; };
    connect(Timer_Game, &QTimer::timeout, this, guarded([this] { rules().Timer_GameTimer(); }));
    connect(Timer_Reprise, &QTimer::timeout, this, guarded([this] { rules().Timer_RepriseTimer(); }));
    connect(Timer_Game_Over, &QTimer::timeout, this, guarded([this] { rules().Timer_Game_OverTimer(); }));
    for (ClickableImage which : {ClickableImage::btn_power_top, ClickableImage::btn_up_top, ClickableImage::btn_left_top,
                                 ClickableImage::btn_right_top, ClickableImage::btn_down_top,
                                 ClickableImage::btn_fire_top}) {
        SkinImage *image = deviceView.clickableImage(which);
        // The image that took the press gets the release, wherever the pointer is by then.
        connect(image, &SkinImage::mouseDown, this, [this, which](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
            runGuarded(this, [&] { controls().ClickableMouseDown(which, button); });
        });
        connect(image, &SkinImage::mouseUp, this, [this, which](Qt::MouseButton button, Qt::MouseButtons, QPoint) {
            runGuarded(this, [&] { controls().ClickableMouseUp(which, button); });
        });
    }
}

QString TForm1::configFilePath() const { return configFolder + QStringLiteral("/Config.ini"); }

void TForm1::FormCreate() {
    // Every step runs even after an earlier one failed: later key events and menus rely on the
    // tables and bindings that the later steps set up.
    const auto step = [this](const std::function<void()> &work) { runGuarded(this, work); };
    step([] { QGuiApplication::setApplicationDisplayName(QString()); });
    step([this] { setWindowTitle(kApplicationTitle); });
    step([this] { moveOffScreen(); });
    step([this] { fillImageTables(); });
    step([this] {
        // Unparented: the main window is still off-screen, and the box must be seen.
        settingsStore = std::make_unique<Settings_Store>([](const QString &text) { showNotice(nullptr, text); });
    });
    step([this] {
        Fullscreen_Mode = Settings().ReadBool(QStringLiteral("FullscreenMode"), true);
        pm_10_fullscreen->setChecked(Fullscreen_Mode);
    });
    step([this] { Gfx_Load_Skin(*this); });
    step([this] { Game_Menu_Open = false; });
    step([this] {
        keyBindings.Key_Load_Bindings(Settings());
        Key_Set_Hints(keyBindings, deviceView, 0);  // the device always starts switched off
    });
    step([this] { gameMenu->Game_Menu_Items = popupMenu->items(); });
    step([this] {
        controls().Inp_Move_Latch = false;
        controls().Inp_Fire_Latch = false;
    });
    step([this] { rules().Gam_Random.Randomize(); });
}

void TForm1::FormActivate() {
    if (!Splash_Pending) return;
    Splash_Pending = false;
    if (splashWindow) {
        splashWindow->show();
        splashWindow->raise();
        splashWindow->activateWindow();
    }
}

void TForm1::FormClose() {
    soundOutput.Snd_Close();
    settingsStore.reset();
}

void TForm1::FormKeyDown(quint16 key) {
    if (const auto control = keyBindings.Key_Pressed_Control(key)) controls().press(*control);
}

void TForm1::FormKeyUp(quint16 key) {
    if (const auto control = keyBindings.Key_Released_Control(key)) controls().release(*control);
}

void TForm1::keyPressEvent(QKeyEvent *event) {
    keyRepeats->keyPressed(virtualKeyOf(*event), event->timestamp(), event->isAutoRepeat());
    QWidget::keyPressEvent(event);
}

void TForm1::keyReleaseEvent(QKeyEvent *event) {
    keyRepeats->keyReleased(virtualKeyOf(*event), event->timestamp(), event->isAutoRepeat());
    QWidget::keyReleaseEvent(event);
}

void TForm1::showError(const QString &text) { showFatalError(this, text); }

void TForm1::storeFailure() {
    Settings().WriteInteger(QStringLiteral("SoundMode"), -1);
    Settings().WriteBool(QStringLiteral("SplashScreen"), true);
}

void TForm1::requestTerminate() { fathomer::requestTerminate(); }

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
    if (event->type() == QEvent::WinIdChange && devicePixelRatioF() != 1.0) scheduleWindowShape();
    return QWidget::event(event);
}

void TForm1::contextMenuEvent(QContextMenuEvent *event) { popupMenu->popupAt(event->globalPos()); }

void TForm1::pm_0_menuPopup() {
    const bool fallback = splashCheckBoxState ? splashCheckBoxState() : true;
    pm_11_splashscreen->setChecked(Settings().ReadBool(QStringLiteral("SplashScreen"), fallback));
    if (Fullscreen_Mode && Game_Menu_Open) gameMenu->fold();
}

void TForm1::pm_1_aboutClick() {
    if (showAbout) showAbout();
}

void TForm1::pm_2_readmeClick() { openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Readme.txt")))); }

void TForm1::pm_3_whatsnewClick() { openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Whatsnew.txt")))); }

void TForm1::pm_4_manualClick() {
    if (showManual) showManual();
}

void TForm1::pm_6_configClick() { openWithDesktop(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QStringLiteral("Config.ini")))); }

void TForm1::pm_7_keysClick() {
    if (showKeySettings) showKeySettings();
}

void TForm1::pm_11_splashscreenClick() {
    // The action has already flipped its own mark.
    Settings().WriteBool(QStringLiteral("SplashScreen"), pm_11_splashscreen->isChecked());
}

void TForm1::pm_14_exitClick() { fathomer::requestTerminate(); }

namespace {

void enterDisplayMode(TForm1 &f, bool fullscreen) {
    f.Fullscreen_Mode = fullscreen;
    f.pm_10_fullscreen->setChecked(fullscreen);
    f.Game_Menu_Open = false;
    f.moveOffScreen();
    Gfx_Load_Skin(f);
    f.centreOnScreen();
}

// After a failed switch: the mode it was in, stored as in memory, and the window back in view.
// Only the first error is reported; one that repeats while going back adds nothing.
void returnToDisplayMode(TForm1 &f, bool fullscreen) {
    try {
        f.Settings().WriteBool(QStringLiteral("FullscreenMode"), fullscreen);
    } catch (const std::exception &) {
    }
    try {
        enterDisplayMode(f, fullscreen);
    } catch (const std::exception &) {
        f.centreOnScreen();
    }
}

}  // namespace

void TForm1::pm_10_fullscreenClick() {
    runGuarded(this, [this] {
        // Fold the game menu first, so its rows never outlive the flag (F12 skips the popup's fold).
        gameMenu->fold();
        const bool previous = Fullscreen_Mode;
        // A refused write changes nothing: the window stays as it is, in the mode that is stored.
        Settings().WriteBool(QStringLiteral("FullscreenMode"), !previous);
        try {
            enterDisplayMode(*this, !previous);
        } catch (...) {
            returnToDisplayMode(*this, previous);
            throw;
        }
    });
}

void TForm1::im_backgroundMouseDown(Qt::MouseButton button, QPoint position) {
    if (Fullscreen_Mode || button != Qt::LeftButton) return;
    Main_Drag_X = position.x();
    Main_Drag_Y = position.y();
    drag = Drag::Pressed;
}

void TForm1::im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position) {
    if (Fullscreen_Mode || !(buttons & Qt::LeftButton)) return;
    // A window manager keeps a window it is told to move on the screen; moved by the window
    // manager itself, the device follows the pointer everywhere, past the screen edges too.
    if (drag == Drag::Pressed)
        drag = windowHandle() && windowHandle()->startSystemMove() ? Drag::BySystem : Drag::ByHand;
    if (drag == Drag::BySystem) return;
    move(x() + position.x() - Main_Drag_X, y() + position.y() - Main_Drag_Y);
}

void TForm1::centreOnScreen() {
    const QRect screen = primaryScreenGeometry();
    move(screen.x() + (screen.width() - width()) / 2, screen.y() + (screen.height() - height()) / 2);
    applyDisplayState();
    placedInView = true;
    if (showAllowed && !isVisible()) {
        show();
        raise();
        activateWindow();
    }
}

void TForm1::showWhenPlaced() {
    showAllowed = true;
    if (!placedInView) return;
    show();
    raise();
    activateWindow();
}

void TForm1::moveOffScreen() {
    // Out of fullscreen first: a window manager keeps a fullscreen window where it is.
    setWindowState(windowState() & ~Qt::WindowFullScreen);
    const QRect screen = primaryScreenGeometry();
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
    // A fixed size: window managers then offer no maximising or resizing of the device.
    setFixedSize(std::clamp(width, 1, kMaxExtent), std::clamp(height, 1, kMaxExtent));
    im_backdrop->setGeometry(rect());
}

void TForm1::setWindowColour(QColor colour) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
}

void TForm1::setColourKey(std::optional<QColor> key) {
    transparentKey = key;
    // Windowed, nothing paints the key colour: it and everything no picture covers stay
    // transparent. Fullscreen is opaque with its window colour.
    // (A translucent window paints no background of its own unless told to.)
    setAttribute(Qt::WA_NoSystemBackground, key.has_value());
    setAutoFillBackground(!key);
    const std::optional<QRgb> seeThrough = key ? std::optional<QRgb>(key->rgb()) : std::nullopt;
    for (SkinImage *image : findChildren<SkinImage *>()) image->setSeeThroughColour(seeThrough);
    // The key shapes the window as soon as it is set, also when the skin stops loading early.
    if (key) scheduleWindowShape();
    else clearMask();
}

void TForm1::scheduleWindowShape() {
    if (!transparentKey || shapePending) return;
    shapePending = true;
    QTimer::singleShot(0, this, [this] {
        if (shapePending) updateWindowShape();
    });
}

void TForm1::updateWindowShape() {
    shapePending = false;  // a shape made now makes a scheduled one needless
    if (!transparentKey) {
        clearMask();
        return;
    }
    // Drawn at the screen's device pixel ratio, so the shape follows what is really shown.
    applyWindowShape(*this, grab().toImage());
}

}  // namespace fathomer

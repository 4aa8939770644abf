#pragma once

#include "app/device_accessibility.h"
#include "app/gfxinit.h"
#include "app/skin.h"
#include "app/window_colour_key.h"
#include "keys/key_bindings.h"
#include "platform/settings_store.h"
#include "platform/skin_image.h"
#include "screens/game_menu.h"
#include "screens/popup_menu.h"
#include "screens/splash_form.h"
#include "sound/sound_output.h"

#include <QAction>
#include <QWidget>
#include <functional>
#include <memory>

namespace fathomer {

class DeviceInput;
class DeviceSession;
class ProfileFile;
class SkinPictures;

// The main window: the picture of the hand-held device, with every image of the device, and the
// window-level behaviour (placement, display modes, dragging). It draws the game's session and
// forwards the player's input to it.
class TForm1 : public QWidget, private SoundFailureHandler {
    Q_OBJECT
public:
    // keys: the program's key bindings, loaded here and used to turn keys into controls;
    // configFolder: the program folder, where "Config.ini" is looked up after the user's overlay; the
    // executable's folder unless given.
    // store: the settings, owned by whoever creates the window and kept open as long as it lives.
    explicit TForm1(Settings_Store &store, KeyBindings &keys, const QString &configFolder = {});
    ~TForm1() override;

    // The device's pictures: the skin images, lit and darkened by the game.
    Skin &skin() { return *deviceSkin; }
    const Skin &skin() const { return *deviceSkin; }
    // The device as screen readers are told it.
    const DisplayReading &reading() const { return *displayReading; }
    // The LEDs as the game lights them: onto the skin, told to screen readers.
    LedDisplay &display() { return *displayReading; }
    DeviceAccessibility &accessibility() const { return *deviceAccessibility; }
    // The right-click menu and fullscreen mode's in-window game menu.
    PopupMenu &menu() const { return *popupMenu; }
    GameMenu &inWindowMenu() const { return *gameMenu; }
    bool fullscreenMode() const { return Fullscreen_Mode; }
    bool gameMenuOpen() const { return gameMenu->isOpen(); }

    QString configFilePath() const;
    // Config.ini as the last skin load read it; the manual window is laid out from the same reading.
    std::shared_ptr<const ProfileFile> configuration() const { return lastConfiguration; }
    // Reads Config.ini again and lays out the skin for the display mode (the window off-screen).
    void loadSkin();
    // The splash screen's mark in the popup menu.
    void setSplashScreenMark(bool checked) { pm_11_splashscreen->setChecked(checked); }
    // Opens the popup menu at a point of the device, or closes it when it is open.
    void togglePopupMenu(QPoint at);
    // Where a menu opened without the mouse appears: the middle of the device, on the screen.
    QPoint deviceMenuPoint() const;

    // The game the window shows and forwards input to; attached once, right after construction.
    void attachSession(DeviceSession &session) { gameSession = &session; }
    DeviceSession &session() const { return *gameSession; }
    // Where the sound output reports its faults.
    SoundFailureHandler &soundFailures() { return *this; }

    void FormCreate();
    void FormActivate();
    void FormClose();
    void pm_0_menuPopup();
    void pm_1_aboutClick();
    void pm_2_readmeClick();
    void pm_3_whatsnewClick();
    void pm_4_manualClick();
    void pm_6_configClick();
    void pm_7_keysClick();
    void pm_10_fullscreenClick();
    void pm_11_splashscreenClick();
    void pm_14_exitClick();

    // The centring request: places the window in the middle of the primary screen, in the display
    // mode's window state, and brings it into view once the event loop has started.
    void centreOnScreen();
    // The event loop's start. The window shows only once a centring request has placed it: window
    // managers pull a window mapped off-screen onto the screen, and nothing of the device may be
    // seen before Play.
    void showWhenPlaced();
    void moveOffScreen();
    // Sizes the client area within what the window system accepts.
    void setClientSize(int width, int height);
    // Window background colour and, in windowed mode, the see-through key colour.
    void setWindowColour(QColor colour);
    void setColourKey(std::optional<QColor> key) { colourKeying.setColourKey(key); }
    std::optional<QColor> colourKey() const { return colourKeying.colourKey(); }
    // Rebuilds the window's see-through shape from what is drawn now (windowed mode only).
    void updateWindowShape() { colourKeying.updateWindowShape(); }

    // The other windows, attached by whoever creates them.
    struct OtherWindows {
        // The splash window, brought to the front by the first activation while it is pending.
        TSplashForm *splash = nullptr;
        // The splash screen's "at startup" check box: the menu's default while that setting is absent.
        std::function<bool()> splashCheckBoxState;
        // What the menu opens.
        std::function<void()> showAbout, showManual, showKeySettings;
    };
    void attachWindows(const OtherWindows &windows);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createComponents();
    SkinLayout layout() const;
    void applyLayout(const SkinLayout &layout);

    void showError(const QString &text) override;
    void storeFailure() override;
    void requestTerminate() override;

    void applyDisplayState();
    void enterDisplayMode(bool fullscreen);
    void returnToDisplayMode(bool fullscreen);
    // Translucent windowed only; changing it makes the native window again.
    void matchTranslucency();

    PopupMenu *popupMenu = nullptr;
    QMenu *pm_0_menu = nullptr;
    QAction *pm_10_fullscreen = nullptr;
    QAction *pm_11_splashscreen = nullptr;
    GameMenu *gameMenu = nullptr;
    bool Fullscreen_Mode = false;
    TSplashForm *splashWindow = nullptr;
    std::function<bool()> splashCheckBoxState;
    std::function<void()> showAbout, showManual, showKeySettings;

    Settings_Store &store;
    KeyBindings &keyBindings;
    QString configFolder;
    std::shared_ptr<const ProfileFile> lastConfiguration;
    // Config.ini and its pictures, read and decoding from the window's construction on, for the
    // first skin load.
    ConfigurationLoad startupConfiguration;
    std::unique_ptr<SkinPictures> startupPictures;
    WindowColourKey colourKeying{*this};
    bool placedInView = false;
    bool showAllowed = false;
    DeviceInput *input = nullptr;

    std::unique_ptr<Skin> deviceSkin;
    std::unique_ptr<DisplayReading> displayReading;  // the game draws through it onto the skin
    DeviceAccessibility *deviceAccessibility = nullptr;
    DeviceSession *gameSession = nullptr;
};

}  // namespace fathomer

#pragma once

#include "app/gfxinit.h"
#include "app/skin.h"
#include "app/skin_prefetch.h"
#include "app/window_colour_key.h"
#include "game/display_reading.h"
#include "keys/key_bindings.h"
#include "platform/keyboard_keeper.h"
#include "platform/settings_store.h"
#include "platform/skin_image.h"
#include "screens/game_menu.h"
#include "screens/popup_menu.h"

#include <QAction>
#include <QWidget>
#include <memory>

namespace fathomer {

class ProfileFile;

// The main window: the picture of the hand-held device, with every image of the device, and the
// window-level behaviour (placement, display modes, the menus). The game draws on its skin; the
// player's input and the other windows are wired to it by whoever makes it.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    // keys: the program's key bindings, loaded here; configFolder: the program folder, where
    // "Config.ini" is looked up after the user's overlay; the executable's folder unless given;
    // startup: Config.ini and its pictures read ahead for the first skin load, if they were.
    // store: the settings, owned by whoever creates the window and kept open as long as it lives.
    TForm1(Settings_Store &store, KeyBindings &keys, const QString &configFolder = {}, SkinPrefetch startup = {});
    ~TForm1() override;

    // The device's pictures: the skin images, lit and darkened by the game.
    Skin &skin() { return *deviceSkin; }
    const Skin &skin() const { return *deviceSkin; }
    // The device as screen readers are told it.
    DisplayReading &reading() const { return *displayReading; }
    // The LEDs as the game lights them: onto the skin, told to screen readers.
    LedDisplay &display() { return *displayReading; }
    bool fullscreenMode() const { return Fullscreen_Mode; }
    bool gameMenuOpen() const { return gameMenu->isOpen(); }

    QString configFilePath() const;
    // Config.ini as the last skin load read it; the manual window is laid out from the same reading.
    std::shared_ptr<const ProfileFile> configuration() const { return lastConfiguration; }
    // Reads Config.ini again and lays out the skin for the display mode (the window off-screen).
    void loadSkin();
    // The splash screen's mark in the popup menu, as Play sets it from the splash's check box. The
    // check box stays as it was at Play, so it is also the mark's default while the setting is absent.
    void setSplashScreenMark(bool checked) {
        popupMenu->markSplashScreen(checked);
        splashCheckBoxAtPlay = checked;
    }
    // Opens the popup menu at a point of the device, or closes it when it is open.
    void togglePopupMenu(QPoint at);
    // Opens the popup menu at the device as a key asks for it, its first item highlighted.
    void openPopupMenuFromKeyboard();
    // Where a menu opened without the mouse appears: the middle of the device, on the screen.
    QPoint deviceMenuPoint() const;

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

signals:
    // Each activation of the window (the first one brings a pending splash forward).
    void activated();
    // The window is closing: the program's end by its close path.
    void closing();
    // The menu commands that open the other windows.
    void aboutRequested();
    void manualRequested();
    void keySettingsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createComponents();
    SkinLayout layout() const;
    void applyLayout(const SkinLayout &layout);

    void applyDisplayState();
    void enterDisplayMode(bool fullscreen);
    void returnToDisplayMode(bool fullscreen);
    // Translucent windowed only; changing it makes the native window again.
    void matchTranslucency();

    PopupMenu *popupMenu = nullptr;
    GameMenu *gameMenu = nullptr;
    bool Fullscreen_Mode = false;
    bool splashCheckBoxAtPlay = true;

    Settings_Store &store;
    KeyBindings &keyBindings;
    QString configFolder;
    std::shared_ptr<const ProfileFile> lastConfiguration;
    // Config.ini and its pictures, read and decoding since before the window was made, for the
    // first skin load only.
    SkinPrefetch startupSkin;
    WindowColourKey colourKeying{*this};
    // Keys pressed while the native window is made again for a display mode.
    KeyboardKeeper *keyboardKeeper = new KeyboardKeeper(*this);
    bool placedInView = false;
    bool showAllowed = false;

    std::unique_ptr<Skin> deviceSkin;
    std::unique_ptr<DisplayReading> displayReading;  // the game draws through it onto the skin
};

}  // namespace fathomer

#pragma once

#include "app/device_view.h"
#include "screens/game_menu.h"
#include "screens/popup_menu.h"
#include "game/controls.h"
#include "game/game_rules.h"
#include "keys/key_bindings.h"
#include "sound/game_sound_requests.h"
#include "platform/settings_store.h"
#include "platform/skin_image.h"
#include "sound/sound_output.h"
#include "app/timer_clock.h"

#include <QAction>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

namespace fathomer {

class ProfileFile;
class KeyRepeatFilter;

// The main window: the picture of the hand-held device, with every image of the device, the
// game's three timers and the window-level behaviour (placement, display modes, dragging).
class TForm1 : public QWidget, private SoundFailureHandler {
    Q_OBJECT
public:
    // keys: the program's key bindings, loaded here and used to turn keys into controls;
    // configFolder: where "Config.ini" is looked up; the executable's folder unless given.
    explicit TForm1(KeyBindings &keys, const QString &configFolder = {});
    ~TForm1() override;

    // Components in drawing order.
    SkinImage *im_backdrop = nullptr;
    SkinImage *im_backdrop_logo = nullptr;
    SkinImage *im_background = nullptr;
    SkinImage *im_panel_digit_pos_1 = nullptr;
    SkinImage *im_panel_digit_pos_2 = nullptr;
    std::array<SkinImage *, 15> im_panel_number{};  // 0..9, then a..e
    std::array<SkinImage *, 21> im_ship{};          // column-major, as Vid_Ship_Table
    std::array<SkinImage *, 21> im_torpedo{};
    SkinImage *im_background_overlay_top = nullptr;
    SkinImage *btn_right_down = nullptr;
    SkinImage *btn_down_down = nullptr;
    SkinImage *btn_left_down = nullptr;
    SkinImage *btn_up_down = nullptr;
    SkinImage *btn_power_on = nullptr;
    SkinImage *btn_power_top = nullptr;
    SkinImage *btn_right_top = nullptr;
    SkinImage *btn_up_top = nullptr;
    SkinImage *btn_down_top = nullptr;
    SkinImage *btn_left_top = nullptr;
    SkinImage *btn_fire_up = nullptr;
    SkinImage *btn_fire_top = nullptr;
    SkinImage *btn_game_menu_background = nullptr;
    SkinImage *btn_game_menu_top = nullptr;
    QTimer *Timer_Reprise = nullptr;
    QTimer *Timer_Game = nullptr;
    QTimer *Timer_Game_Over = nullptr;
    PopupMenu *popupMenu = nullptr;
    QMenu *pm_0_menu = nullptr;
    QAction *pm_10_fullscreen = nullptr;
    QAction *pm_11_splashscreen = nullptr;
    GameMenu *gameMenu = nullptr;

    // Tables filled during creation.
    std::array<SkinImage *, 17> Vid_Panel_Table{};
    std::array<SkinImage *, 21> Vid_Ship_Table{};
    std::array<SkinImage *, 21> Vid_Torpedo_Table{};
    std::array<SkinImage *, 53> Gfx_Skin_Images{};  // entries 1..52

    bool Fullscreen_Mode = false;
    bool Game_Menu_Open = false;
    int Main_Drag_X = 0;
    int Main_Drag_Y = 0;
    std::unique_ptr<Settings_Store> settingsStore;
    Settings_Store &Settings() { return *settingsStore; }

    QString configFilePath() const;
    // Config.ini as the last skin load read it; the manual window is laid out from the same reading.
    std::shared_ptr<const ProfileFile> configuration;

    // The game and its sound, wired to this window's images and timers.
    DeviceView &device() { return deviceView; }
    GameRules &rules() { return *gameRules; }
    PlayerControls &controls() { return *playerControls; }
    SoundOutput &sound() { return soundOutput; }
    void Snd_Play(SampleHandle sample) { soundOutput.Snd_Play(sample); }
    void Snd_Silence() { soundOutput.Snd_Silence(); }

    void FormCreate();
    void FormActivate();
    void FormClose();
    void FormKeyDown(quint16 key);
    void FormKeyUp(quint16 key);
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
    void im_backgroundMouseDown(Qt::MouseButton button, QPoint position);
    void im_backgroundMouseMove(Qt::MouseButtons buttons, QPoint position);

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
    void setColourKey(std::optional<QColor> key);
    std::optional<QColor> colourKey() const { return transparentKey; }
    // Rebuilds the window's see-through shape from what is drawn now (windowed mode only).
    void updateWindowShape();
    // The same, once the current event is done; several requests make one rebuild.
    void scheduleWindowShape();

    // The splash window, brought to the front by the first activation while Splash_Pending.
    QWidget *splashWindow = nullptr;
    // The splash screen's "at startup" check box: the menu's default for an absent SplashScreen.
    std::function<bool()> splashCheckBoxState;
    // The other windows the menu opens, attached by whoever creates them.
    std::function<void()> showAbout, showManual, showKeySettings;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void createComponents();
    void connectButtons();
    SkinImage *addImage(const QString &name, bool transparent, bool visible);
    void fillImageTables();

    void showError(const QString &text) override;
    void storeFailure() override;
    void requestTerminate() override;

    void applyDisplayState();

    KeyBindings &keyBindings;
    QString configFolder;
    std::optional<QColor> transparentKey;
    bool placedInView = false;
    bool showAllowed = false;
    // A drag is handed to the window manager where it takes it, else the window follows by hand.
    enum class Drag { None, Pressed, BySystem, ByHand };
    Drag drag = Drag::None;
    bool shapePending = false;
    KeyRepeatFilter *keyRepeats = nullptr;

    DeviceView deviceView{*this};
    std::unique_ptr<TimerClock> gameClock, repriseClock, gameOverClock;
    SoundOutput soundOutput{*this};
    GameSoundRequests gameSound{soundOutput};
    std::unique_ptr<GameRules> gameRules;
    std::unique_ptr<PlayerControls> playerControls;
};

}  // namespace fathomer

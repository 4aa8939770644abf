#pragma once

#include "app/hinted_buttons.h"
#include "app/timer_clock.h"
#include "game/controls.h"
#include "game/game_rules.h"
#include "sound/game_sound_requests.h"
#include "sound/sound_output.h"

#include <QTimer>

namespace fathomer {

class KeyBindings;
class Skin;

// One game on the device: the rules, the player's controls, the game's three clocks and the
// sound. It draws only through the skin's ports (the LED display and the button images); the
// windows, the splash and the controllers work the device through it.
class DeviceSession : public QObject {
    Q_OBJECT
public:
    // display: the LEDs the rules light; skin: the buttons the controls show and hint;
    // keys: the bindings named in the power button's hint; failures: where sound faults go;
    // window: the device's window, where tools find the session; whoever makes the session
    // destroys it before the window.
    DeviceSession(LedDisplay &display, Skin &skin, KeyBindings &keys, SoundFailureHandler &failures,
                  QObject *window = nullptr);
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    GameRules &rules() { return gameRules; }
    const GameRules &rules() const { return gameRules; }
    PlayerControls &controls() { return playerControls; }
    SoundOutput &sound() { return soundOutput; }
    void Snd_Play(SampleHandle sample) { soundOutput.Snd_Play(sample); }
    void Snd_Silence() { soundOutput.Snd_Silence(); }
    bool powerOn() const { return gameRules.state().Power_On == 1; }

    // The game's three timers.
    QTimer &gameTimer() { return Timer_Game; }
    QTimer &repriseTimer() { return Timer_Reprise; }
    QTimer &gameOverTimer() { return Timer_Game_Over; }

private:
    QTimer Timer_Reprise;
    QTimer Timer_Game;
    QTimer Timer_Game_Over;
    TimerClock gameClock{Timer_Game}, repriseClock{Timer_Reprise}, gameOverClock{Timer_Game_Over};
    SoundOutput soundOutput;
    GameSoundRequests gameSound{soundOutput};
    GameRules gameRules;
    HintedButtons buttons;
    PlayerControls playerControls;
};

}  // namespace fathomer

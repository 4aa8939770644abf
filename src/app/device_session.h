#pragma once

#include "app/noticed_ports.h"
#include "app/timer_clock.h"
#include "game/controls.h"
#include "game/game_rules.h"
#include "platform/sound_choice.h"
#include "sound/game_sound_requests.h"
#include "sound/sound_output.h"

#include <QTimer>

namespace fathomer {

class Skin;

// One game on the device: the rules, the player's controls, the game's three clocks and the
// sound. It draws only through the skin's ports (the LED display and the button images). The
// windows, the splash and the controllers work the device through its intents, and whatever
// follows the game (the hints, the screen-reader texts) through its one notice, `changed`.
class DeviceSession : public QObject {
    Q_OBJECT
public:
    // What a notice reports.
    enum class Change {
        Power,  // the power switched: told at once, before the power picture changes
        Shown,  // what the LEDs show: told once the event that changed them is over
    };
    Q_ENUM(Change)

    // display: the LEDs the rules light; skin: the buttons the controls show; failures: where
    // sound faults go; window: the device's window, where tools find the session; whoever makes
    // the session destroys it before the window.
    DeviceSession(LedDisplay &display, Skin &skin, SoundFailureHandler &failures, QObject *window = nullptr);
    DeviceSession(const DeviceSession &) = delete;
    DeviceSession &operator=(const DeviceSession &) = delete;

    // The player's intents: a press and a release of one of the device's controls (keys, mouse
    // and game controllers alike); starting the sound with the splash's choice (false when it
    // could not start); switching the device off; closing the device, which ends the sound.
    void press(DeviceControl control);
    void release(DeviceControl control);
    bool startSound(SoundChoice choice);
    void switchOff();
    void close();

    bool powerOn() const { return gameRules.state().Power_On == 1; }
    const GameState &state() const { return gameRules.state(); }

signals:
    void changed(DeviceSession::Change what);

private:
    friend struct DeviceSessionTestSeam;

    void noteShown();

    QTimer Timer_Reprise;
    QTimer Timer_Game;
    QTimer Timer_Game_Over;
    TimerClock gameClock{Timer_Game}, repriseClock{Timer_Reprise}, gameOverClock{Timer_Game_Over};
    SoundOutput soundOutput;
    GameSoundRequests gameSound{soundOutput};
    NoticedDisplay display;
    NoticedButtons buttons;
    GameRules gameRules;
    PlayerControls playerControls;
    bool shownPending = false;
};

}  // namespace fathomer

#pragma once

#include "game/device_control.h"
#include "game/game_ports.h"

namespace fathomer {

class GameRules;

// The control a clickable button picture works: the front-end presses and releases it for the
// picture's mouse presses and releases.
DeviceControl controlOfImage(ClickableImage image);

// The device's six controls as worked by keys, mouse and game controllers: pressed and released button pictures,
// one ship move per direction press, accepting or refusing a fire press, and the power switch.
// The front-end turns keys and game controller buttons into presses and releases of the controls.
class PlayerControls {
public:
    PlayerControls(GameRules &rules, ButtonImages &buttons);
    PlayerControls(const PlayerControls &) = delete;
    PlayerControls &operator=(const PlayerControls &) = delete;

    void Inp_power_down();
    void Inp_up_down();
    void Inp_up_up();
    void Inp_left_down();
    void Inp_left_up();
    void Inp_right_down();
    void Inp_right_up();
    void Inp_down_down();
    void Inp_down_up();
    void Inp_fire_down();
    void Inp_fire_up();

    // A press or release of one control; an auto-repeated press comes as a fresh one. The power
    // switch has no release action.
    void press(DeviceControl control);
    void release(DeviceControl control);

    // Set by a move, cleared by the release of any direction control.
    bool moveLatched() const { return Inp_Move_Latch; }
    // Set by an accepted fire press, cleared by the fire release.
    bool fireLatched() const { return Inp_Fire_Latch; }

private:
    bool Inp_Move_Latch = false;
    bool Inp_Fire_Latch = false;

    void Inp_move_down(StateImage pressed, int dCol, int dRow);
    void Inp_move_up(StateImage pressed);

    GameRules &Rules;
    ButtonImages &Buttons;
};

}  // namespace fathomer

#pragma once

#include "game/game_ports.h"

#include <Qt>
#include <QtGlobal>

namespace fathomer {

class GameRules;

// The device's six controls as worked by keyboard and mouse: pressed and released button pictures,
// one ship move per direction press, accepting or refusing a fire press, and the power switch.
// Keys are matched against the shared Key_Binding table by virtual-key code.
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

    // Key routing by virtual-key code, modifiers ignored: presses test power, up, left, right,
    // down, fire and releases up, left, right, down, fire; the first equal binding acts.
    // An auto-repeated press is routed like a fresh one; auto-repeat releases must not reach
    // FormKeyUp (see KeyRepeatFilter).
    void FormKeyDown(quint16 key);
    void FormKeyUp(quint16 key);

    // Mouse presses and releases on the clickable images; only the left button works them. The
    // window delivers the release to the image that took the press, wherever the pointer is.
    void ClickableMouseDown(ClickableImage image, Qt::MouseButton button);
    void ClickableMouseUp(ClickableImage image, Qt::MouseButton button);

    // Set by a move, cleared by the release of any direction control.
    bool Inp_Move_Latch = false;
    // Set by an accepted fire press, cleared by the fire release.
    bool Inp_Fire_Latch = false;

private:
    void Inp_move_down(StateImage pressed, int dCol, int dRow);
    void Inp_move_up(StateImage pressed);

    GameRules &Rules;
    ButtonImages &Buttons;
};

}  // namespace fathomer

#include "game/controls.h"

#include "game/game_rules.h"

namespace fathomer {

PlayerControls::PlayerControls(GameRules &rules, ButtonImages &buttons) : Rules(rules), Buttons(buttons) {}

void PlayerControls::Inp_power_down() {
    Rules.Gam_Switch_Power();
    Buttons.powerSwitched(Rules.state().Power_On);
    Buttons.setVisible(StateImage::btn_power_on, Rules.state().Power_On == 1);
}

void PlayerControls::Inp_move_down(StateImage pressed, int dCol, int dRow) {
    Buttons.setVisible(pressed, true);  // the pressed look follows the raw press, game or not
    if (!Inp_Move_Latch) Inp_Move_Latch = Rules.Gam_Move_Ship(dCol, dRow);
}

void PlayerControls::Inp_move_up(StateImage pressed) {
    Buttons.setVisible(pressed, false);
    Inp_Move_Latch = false;  // whichever direction set it
}

void PlayerControls::Inp_up_down() { Inp_move_down(StateImage::btn_up_down, 0, -1); }
void PlayerControls::Inp_up_up() { Inp_move_up(StateImage::btn_up_down); }
void PlayerControls::Inp_left_down() { Inp_move_down(StateImage::btn_left_down, -1, 0); }
void PlayerControls::Inp_left_up() { Inp_move_up(StateImage::btn_left_down); }
void PlayerControls::Inp_right_down() { Inp_move_down(StateImage::btn_right_down, 1, 0); }
void PlayerControls::Inp_right_up() { Inp_move_up(StateImage::btn_right_down); }
void PlayerControls::Inp_down_down() { Inp_move_down(StateImage::btn_down_down, 0, 1); }
void PlayerControls::Inp_down_up() { Inp_move_up(StateImage::btn_down_down); }

void PlayerControls::Inp_fire_down() {
    Buttons.setVisible(StateImage::btn_fire_up, false);
    if (!Inp_Fire_Latch) Inp_Fire_Latch = Rules.Gam_Fire();
}

void PlayerControls::Inp_fire_up() {
    Buttons.setVisible(StateImage::btn_fire_up, true);
    Inp_Fire_Latch = false;
}

void PlayerControls::press(DeviceControl control) {
    switch (control) {
    case DeviceControl::Power: Inp_power_down(); break;
    case DeviceControl::Up: Inp_up_down(); break;
    case DeviceControl::Left: Inp_left_down(); break;
    case DeviceControl::Right: Inp_right_down(); break;
    case DeviceControl::Down: Inp_down_down(); break;
    case DeviceControl::Fire: Inp_fire_down(); break;
    }
}

void PlayerControls::release(DeviceControl control) {
    switch (control) {
    case DeviceControl::Power: break;
    case DeviceControl::Up: Inp_up_up(); break;
    case DeviceControl::Left: Inp_left_up(); break;
    case DeviceControl::Right: Inp_right_up(); break;
    case DeviceControl::Down: Inp_down_up(); break;
    case DeviceControl::Fire: Inp_fire_up(); break;
    }
}

DeviceControl controlOfImage(ClickableImage image) {
    switch (image) {
    case ClickableImage::btn_power_top: return DeviceControl::Power;
    case ClickableImage::btn_up_top: return DeviceControl::Up;
    case ClickableImage::btn_left_top: return DeviceControl::Left;
    case ClickableImage::btn_right_top: return DeviceControl::Right;
    case ClickableImage::btn_down_top: return DeviceControl::Down;
    case ClickableImage::btn_fire_top: break;
    }
    return DeviceControl::Fire;
}

}  // namespace fathomer

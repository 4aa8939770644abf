#include "game/controls.h"

#include "game/game_rules.h"
#include "game/playfield.h"
#include "keys/key_bindings.h"

namespace fathomer {

PlayerControls::PlayerControls(GameRules &rules, ButtonImages &buttons) : Rules(rules), Buttons(buttons) {}

void PlayerControls::Inp_power_down()
{
    Rules.Power_On = Rules.Power_On == 0 ? 1 : 0;
    Buttons.setHint(ClickableImage::btn_power_top, Key_Power_Hint(Rules.Power_On));
    Rules.Gam_Set_Mode();
    Buttons.setVisible(StateImage::btn_power_on, Rules.Power_On == 1);
}

void PlayerControls::Inp_move_down(StateImage pressed, int dCol, int dRow)
{
    Buttons.setVisible(pressed, true);  // the pressed look follows the raw press, game or not
    const int col = Rules.Gam_Ship_Col + dCol;
    const int row = Rules.Gam_Ship_Row + dRow;
    const bool onField = col >= 1 && col <= Vid_Columns && row >= 1 && row <= Vid_Rows;
    if (Rules.Power_On != 1 || !Rules.Gam_Running || Inp_Move_Latch || !onField)
        return;
    Inp_Move_Latch = true;
    Rules.Vid_Show_Ship(false);
    Rules.Gam_Ship_Col = col;
    Rules.Gam_Ship_Row = row;
    Rules.Vid_Show_Ship(true);
    Rules.Gam_Check_Collision();
}

void PlayerControls::Inp_move_up(StateImage pressed)
{
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

void PlayerControls::Inp_fire_down()
{
    Buttons.setVisible(StateImage::btn_fire_up, false);
    if (Rules.Power_On != 1 || !Rules.Gam_Running || Inp_Fire_Latch)
        return;
    Inp_Fire_Latch = true;
    Rules.Gam_Resolve_Shot();
}

void PlayerControls::Inp_fire_up()
{
    Buttons.setVisible(StateImage::btn_fire_up, true);
    Inp_Fire_Latch = false;
}

void PlayerControls::FormKeyDown(quint16 key)
{
    if (key == Key_Binding[Key_Power].key)
        Inp_power_down();
    else if (key == Key_Binding[Key_Up].key)
        Inp_up_down();
    else if (key == Key_Binding[Key_Left].key)
        Inp_left_down();
    else if (key == Key_Binding[Key_Right].key)
        Inp_right_down();
    else if (key == Key_Binding[Key_Down].key)
        Inp_down_down();
    else if (key == Key_Binding[Key_Fire].key)
        Inp_fire_down();
}

void PlayerControls::FormKeyUp(quint16 key)
{
    // The power switch has no release action.
    if (key == Key_Binding[Key_Up].key)
        Inp_up_up();
    else if (key == Key_Binding[Key_Left].key)
        Inp_left_up();
    else if (key == Key_Binding[Key_Right].key)
        Inp_right_up();
    else if (key == Key_Binding[Key_Down].key)
        Inp_down_up();
    else if (key == Key_Binding[Key_Fire].key)
        Inp_fire_up();
}

void PlayerControls::ClickableMouseDown(ClickableImage image, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    switch (image) {
    case ClickableImage::btn_power_top: Inp_power_down(); break;
    case ClickableImage::btn_up_top: Inp_up_down(); break;
    case ClickableImage::btn_left_top: Inp_left_down(); break;
    case ClickableImage::btn_right_top: Inp_right_down(); break;
    case ClickableImage::btn_down_top: Inp_down_down(); break;
    case ClickableImage::btn_fire_top: Inp_fire_down(); break;
    }
}

void PlayerControls::ClickableMouseUp(ClickableImage image, Qt::MouseButton button)
{
    if (button != Qt::LeftButton)
        return;
    switch (image) {
    case ClickableImage::btn_power_top: break;
    case ClickableImage::btn_up_top: Inp_up_up(); break;
    case ClickableImage::btn_left_top: Inp_left_up(); break;
    case ClickableImage::btn_right_top: Inp_right_up(); break;
    case ClickableImage::btn_down_top: Inp_down_up(); break;
    case ClickableImage::btn_fire_top: Inp_fire_up(); break;
    }
}

}  // namespace fathomer

#include "keys/key_hints.h"

namespace fathomer {

void Key_Set_Hints(const KeyBindings &keys, ButtonImages &buttons, qint32 powerOn) {
    Key_Set_Power_Hint(keys, buttons, powerOn);
    buttons.setHint(ClickableImage::btn_up_top, keys.Key_Button_Hint(Key_Up));
    buttons.setHint(ClickableImage::btn_left_top, keys.Key_Button_Hint(Key_Left));
    buttons.setHint(ClickableImage::btn_right_top, keys.Key_Button_Hint(Key_Right));
    buttons.setHint(ClickableImage::btn_down_top, keys.Key_Button_Hint(Key_Down));
    buttons.setHint(ClickableImage::btn_fire_top, keys.Key_Button_Hint(Key_Fire));
}

void Key_Set_Power_Hint(const KeyBindings &keys, ButtonImages &buttons, qint32 powerOn) {
    buttons.setHint(ClickableImage::btn_power_top, keys.Key_Power_Hint(powerOn));
}

}  // namespace fathomer

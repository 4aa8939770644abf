#include "keys/key_hints.h"

namespace fathomer {

void Key_Set_Hints(const KeyBindings &keys, ButtonHints &buttons, qint32 powerOn) {
    Key_Set_Power_Hint(keys, buttons, powerOn);
    buttons.setHint(ClickableImage::btn_up_top, keys.Key_Button_Hint(DeviceControl::Up));
    buttons.setHint(ClickableImage::btn_left_top, keys.Key_Button_Hint(DeviceControl::Left));
    buttons.setHint(ClickableImage::btn_right_top, keys.Key_Button_Hint(DeviceControl::Right));
    buttons.setHint(ClickableImage::btn_down_top, keys.Key_Button_Hint(DeviceControl::Down));
    buttons.setHint(ClickableImage::btn_fire_top, keys.Key_Button_Hint(DeviceControl::Fire));
}

void Key_Set_Power_Hint(const KeyBindings &keys, ButtonHints &buttons, qint32 powerOn) {
    buttons.setHint(ClickableImage::btn_power_top, keys.Key_Power_Hint(powerOn));
}

}  // namespace fathomer

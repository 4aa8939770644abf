#pragma once

#include "keys/button_hints.h"

namespace fathomer {

class KeyBindings;

// The skin's button pictures as the controls work them, with the power button's hint renewed at
// each power switch from the key bindings it names.
class HintedButtons final : public ButtonImages {
public:
    HintedButtons(ButtonImages &pictures, ButtonHints &hints, const KeyBindings &keys)
        : pictures(pictures), hints(hints), keys(keys) {}

    void setVisible(StateImage image, bool visible) override { pictures.setVisible(image, visible); }
    void powerSwitched(qint32 powerOn) override;

private:
    ButtonImages &pictures;
    ButtonHints &hints;
    const KeyBindings &keys;
};

}  // namespace fathomer

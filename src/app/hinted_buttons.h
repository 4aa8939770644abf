#pragma once

#include "game/game_ports.h"

namespace fathomer {

class KeyBindings;

// The skin's button pictures as the controls work them, with the power button's hint renewed at
// each power switch from the key bindings it names.
class HintedButtons final : public ButtonImages {
public:
    HintedButtons(ButtonImages &pictures, const KeyBindings &keys) : pictures(pictures), keys(keys) {}

    void setVisible(StateImage image, bool visible) override { pictures.setVisible(image, visible); }
    void setHint(ClickableImage image, const QString &hint) override { pictures.setHint(image, hint); }
    void powerSwitched(qint32 powerOn) override;

private:
    ButtonImages &pictures;
    const KeyBindings &keys;
};

}  // namespace fathomer

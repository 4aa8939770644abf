#pragma once

#include "game/game_ports.h"

#include <functional>

namespace fathomer {

// The display and button ports the rules draw through, passed on unchanged to the skin's, with a
// word to the session at each change, so that whatever follows the game hears of it in one place.
class NoticedDisplay final : public LedDisplay {
public:
    NoticedDisplay(LedDisplay &display, std::function<void()> changed)
        : display(display), changed(std::move(changed)) {}

    void setShipLit(Cell cell, bool lit) override;
    void setTorpedoLit(Cell cell, bool lit) override;
    bool torpedoLit(Cell cell) const override { return display.torpedoLit(cell); }
    void showPanelPositions() override;
    void setPanelPicture(int position, int source) override;

private:
    LedDisplay &display;
    std::function<void()> changed;
};

class NoticedButtons final : public ButtonImages {
public:
    NoticedButtons(ButtonImages &pictures, std::function<void()> powerSwitched)
        : pictures(pictures), switched(std::move(powerSwitched)) {}

    void setVisible(StateImage image, bool visible) override { pictures.setVisible(image, visible); }
    void powerSwitched(std::int32_t powerOn) override;

private:
    ButtonImages &pictures;
    std::function<void()> switched;
};

}  // namespace fathomer

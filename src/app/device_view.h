#pragma once

#include "game/game_ports.h"

#include <functional>

namespace fathomer {

class TForm1;
class SkinImage;

// The game's view of the device: LEDs, score panel and button pictures are the main window's
// images, lit and darkened by visibility and fed by picture copies.
class DeviceView final : public LedDisplay, public ButtonImages {
public:
    explicit DeviceView(TForm1 &form) : form(form) {}

    void setShipLit(int index, bool lit) override;
    void setTorpedoLit(int index, bool lit) override;
    bool torpedoLit(int index) const override;
    void showPanelPositions() override;
    void setPanelPicture(int position, int source) override;

    void setVisible(StateImage image, bool visible) override;
    void setHint(ClickableImage image, const QString &hint) override;

    SkinImage *stateImage(StateImage image) const;
    SkinImage *clickableImage(ClickableImage image) const;

private:
    TForm1 &form;
};

}  // namespace fathomer

#pragma once

#include "config/config_keys.h"
#include "game/game_ports.h"
#include "keys/button_hints.h"
#include "platform/skin_image.h"

#include <array>
#include <functional>

namespace fathomer {

// The device's pictures on the main window. The 52 images that Config.ini's image sections
// describe are one table, numbered as those sections (Gfx_Skin_Images); the 21 torpedo LEDs take
// the ship LEDs' pictures, and the backdrop, the logo and the game menu's two images have no
// section. The game lights and darkens them through the display and button ports; the key
// bindings set the buttons' hints.
class Skin final : public LedDisplay, public ButtonImages, public ButtonHints {
public:
    static constexpr int kImageCount = kSkinImageCount;

    // Creates every image on the window, in drawing order. shapeChanged: told the box of a button
    // picture that was shown or hidden, or no box when pixels of the key colour, holes in the
    // shape, were shown, hidden or changed.
    Skin(QWidget &window, std::function<void(QRect)> shapeChanged);

    // Entry n (1..52): the image of the section "Image<n>".
    SkinImage *image(int n) const { return Gfx_Skin_Images[n]; }
    SkinImage *background() const { return image(1); }
    SkinImage *overlay() const { return image(2); }
    // The image sections hold the ship LEDs row by row: 32 is column 1, row 1; 52 column 7, row 3.
    static constexpr int shipImageNumber(Cell cell) { return 31 + Vid_Columns * (cell.row - 1) + cell.col; }
    SkinImage *ship(Cell cell) const { return image(shipImageNumber(cell)); }
    SkinImage *torpedo(Cell cell) const { return Vid_Torpedo_Table[Vid_Cell_Index(cell)]; }
    // Position 1 is the tens, 2 the units.
    SkinImage *panelPosition(int position) const { return image(14 + position); }
    // The digits 0..9, then the letters a..e for the tens values 10..14.
    SkinImage *panelNumber(int value) const { return image(17 + value); }
    SkinImage *stateImage(StateImage which) const;
    SkinImage *clickableImage(ClickableImage which) const;
    SkinImage *backdrop() const { return backdropImage; }
    SkinImage *backdropLogo() const { return logoImage; }
    SkinImage *gameMenuBackground() const { return menuBackground; }
    SkinImage *gameMenuButton() const { return menuButton; }

    // Gives every torpedo LED the picture and box of the ship LED of the same cell.
    void Gfx_Copy_Ship_To_Torpedo();

    void setShipLit(Cell cell, bool lit) override { setLit(*ship(cell), lit); }
    void setTorpedoLit(Cell cell, bool lit) override { setLit(*torpedo(cell), lit); }
    bool torpedoLit(Cell cell) const override { return !torpedo(cell)->isHidden(); }
    void showPanelPositions() override;
    void setPanelPicture(int position, int source) override;

    void setVisible(StateImage which, bool visible) override;
    void setHint(ClickableImage which, const QString &hint) override { clickableImage(which)->setToolTip(hint); }

private:
    void createImages(QWidget &window);
    void setLit(SkinImage &led, bool lit);
    // A picture with key-coloured pixels was shown, hidden or changed: they are holes in the shape.
    void keyPixelsMoved(const SkinImage &image);

    std::array<SkinImage *, kImageCount + 1> Gfx_Skin_Images{};  // entries 1..52
    std::array<SkinImage *, Vid_Cells> Vid_Torpedo_Table{};      // by Vid_Cell_Index
    SkinImage *backdropImage = nullptr;
    SkinImage *logoImage = nullptr;
    SkinImage *menuBackground = nullptr;
    SkinImage *menuButton = nullptr;
    std::function<void(QRect)> shapeChanged;
};

}  // namespace fathomer

#include "game/playfield.h"

namespace fathomer {

void Vid_Show_All_Ship(LedDisplay &display, bool show) {
    for (const Cell cell : Vid_All_Cells) display.setShipLit(cell, show);
}

void Vid_Show_All_Torpedo(LedDisplay &display, bool show) {
    for (const Cell cell : Vid_All_Cells) display.setTorpedoLit(cell, show);
}

void Vid_Show_Ship(LedDisplay &display, Cell cell, bool show) { display.setShipLit(cell, show); }

void Vid_Show_Panel_Score(LedDisplay &display, int &value, bool show) {
    display.showPanelPositions();
    if (value > Vid_Panel_Limit) value = Vid_Panel_Limit;
    if (show) {
        // Quotients 1..9 are digit images, 10..14 the letters a..e, which follow them as sources.
        display.setPanelPicture(1, value > 9 ? PanelPicture::Digit0 + value / 10 : PanelPicture::Empty);
        display.setPanelPicture(2, PanelPicture::Digit0 + value % 10);
    } else {
        display.setPanelPicture(1, PanelPicture::Empty);
        display.setPanelPicture(2, PanelPicture::Empty);
    }
}

}  // namespace fathomer

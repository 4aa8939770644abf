#include "app/noticed_ports.h"

namespace fathomer {

void NoticedDisplay::setShipLit(Cell cell, bool lit) {
    display.setShipLit(cell, lit);
    changed();
}

void NoticedDisplay::setTorpedoLit(Cell cell, bool lit) {
    display.setTorpedoLit(cell, lit);
    changed();
}

void NoticedDisplay::showPanelPositions() {
    display.showPanelPositions();
    changed();
}

void NoticedDisplay::setPanelPicture(int position, int source) {
    display.setPanelPicture(position, source);
    changed();
}

void NoticedButtons::powerSwitched(std::int32_t powerOn) {
    pictures.powerSwitched(powerOn);
    switched();
}

}  // namespace fathomer

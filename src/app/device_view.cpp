#include "app/device_view.h"

#include "app/main_window.h"

namespace fathomer {

void DeviceView::setShipLit(int index, bool lit) { form.Vid_Ship_Table[index]->setVisible(lit); }

void DeviceView::setTorpedoLit(int index, bool lit) { form.Vid_Torpedo_Table[index]->setVisible(lit); }

bool DeviceView::torpedoLit(int index) const { return !form.Vid_Torpedo_Table[index]->isHidden(); }

void DeviceView::showPanelPositions() {
    form.Vid_Panel_Table[0]->setVisible(true);
    form.Vid_Panel_Table[1]->setVisible(true);
}

void DeviceView::setPanelPicture(int position, int source) {
    SkinImage *place = form.Vid_Panel_Table[position - 1];
    if (source < 0) place->clearPicture();
    else place->copyPictureFrom(*form.Vid_Panel_Table[2 + source]);
}

SkinImage *DeviceView::stateImage(StateImage image) const {
    switch (image) {
    case StateImage::btn_up_down: return form.btn_up_down;
    case StateImage::btn_left_down: return form.btn_left_down;
    case StateImage::btn_right_down: return form.btn_right_down;
    case StateImage::btn_down_down: return form.btn_down_down;
    case StateImage::btn_power_on: return form.btn_power_on;
    case StateImage::btn_fire_up: return form.btn_fire_up;
    }
    return nullptr;
}

SkinImage *DeviceView::clickableImage(ClickableImage image) const {
    switch (image) {
    case ClickableImage::btn_power_top: return form.btn_power_top;
    case ClickableImage::btn_up_top: return form.btn_up_top;
    case ClickableImage::btn_left_top: return form.btn_left_top;
    case ClickableImage::btn_right_top: return form.btn_right_top;
    case ClickableImage::btn_down_top: return form.btn_down_top;
    case ClickableImage::btn_fire_top: return form.btn_fire_top;
    }
    return nullptr;
}

void DeviceView::setVisible(StateImage image, bool visible) {
    SkinImage *picture = stateImage(image);
    if (picture->isHidden() == !visible) return;
    picture->setVisible(visible);
    // A button picture may reach past the device's outline (the fire button does).
    form.scheduleWindowShape();
}

void DeviceView::setHint(ClickableImage image, const QString &hint) { clickableImage(image)->setToolTip(hint); }

}  // namespace fathomer

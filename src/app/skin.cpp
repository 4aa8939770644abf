#include "app/skin.h"

namespace fathomer {

namespace {

SkinImage *addImage(QWidget &window, const QString &name, bool transparent, bool visible) {
    auto *image = new SkinImage(&window, name, transparent);
    image->setVisible(visible);
    return image;
}

// Entries of the buttons in Gfx_Skin_Images.
constexpr int kPowerOn = 3, kPowerTop = 4, kUpDown = 5, kUpTop = 6, kLeftDown = 7, kLeftTop = 8, kRightDown = 9,
              kRightTop = 10, kDownDown = 11, kDownTop = 12, kFireUp = 13, kFireTop = 14;

}  // namespace

Skin::Skin(QWidget &window, std::function<void(QRect)> shapeChanged) : shapeChanged(std::move(shapeChanged)) {
    createImages(window);
}

// Created in drawing order: each image lies above the ones made before it.
void Skin::createImages(QWidget &window) {
    auto &n = Gfx_Skin_Images;
    const auto add = [&window](const QString &name, bool transparent, bool visible) {
        return addImage(window, name, transparent, visible);
    };
    backdropImage = add(QStringLiteral("im_backdrop"), false, true);
    backdropImage->setGeometry(0, 0, 435, 760);
    backdropImage->setCenter(true);
    logoImage = add(QStringLiteral("im_backdrop_logo"), true, true);
    logoImage->setGeometry(0, 0, 64, 64);
    n[1] = add(QStringLiteral("im_background"), true, true);
    n[15] = add(QStringLiteral("im_panel_digit_pos_1"), false, true);
    n[16] = add(QStringLiteral("im_panel_digit_pos_2"), false, true);
    static const char *const kDigitNames = "0123456789abcde";
    for (int i = 0; i < 15; ++i)
        n[17 + i] = add(QStringLiteral("im_panel_number_%1").arg(QChar(kDigitNames[i])), true, false);
    for (const Cell cell : Vid_All_Cells)
        n[shipImageNumber(cell)] = add(QStringLiteral("im_ship_%1_%2").arg(cell.col).arg(cell.row), true, false);
    for (const Cell cell : Vid_All_Cells)
        Vid_Torpedo_Table[Vid_Cell_Index(cell)] =
            add(QStringLiteral("im_torpedo_%1_%2").arg(cell.col).arg(cell.row), true, false);
    n[2] = add(QStringLiteral("im_background_overlay_top"), true, true);
    n[kRightDown] = add(QStringLiteral("btn_right_down"), true, false);
    n[kDownDown] = add(QStringLiteral("btn_down_down"), true, false);
    n[kLeftDown] = add(QStringLiteral("btn_left_down"), true, false);
    n[kUpDown] = add(QStringLiteral("btn_up_down"), true, false);
    n[kPowerOn] = add(QStringLiteral("btn_power_on"), false, false);
    n[kPowerTop] = add(QStringLiteral("btn_power_top"), false, true);
    n[kRightTop] = add(QStringLiteral("btn_right_top"), true, true);
    n[kUpTop] = add(QStringLiteral("btn_up_top"), true, true);
    n[kDownTop] = add(QStringLiteral("btn_down_top"), true, true);
    n[kLeftTop] = add(QStringLiteral("btn_left_top"), true, true);
    n[kFireUp] = add(QStringLiteral("btn_fire_up"), true, true);
    n[kFireTop] = add(QStringLiteral("btn_fire_top"), true, true);
    for (int top : {kPowerTop, kRightTop, kUpTop, kDownTop, kLeftTop, kFireTop})
        n[top]->setCursor(Qt::PointingHandCursor);
    n[kUpTop]->setToolTip(QStringLiteral("press arrow keys"));
    menuBackground = add(QStringLiteral("btn_game_menu_background"), false, true);
    menuBackground->setGeometry(0, 0, 36, 32);
    menuButton = add(QStringLiteral("btn_game_menu_top"), false, true);
    menuButton->setGeometry(0, 0, 36, 32);
    menuButton->setCursor(Qt::PointingHandCursor);
}

SkinImage *Skin::stateImage(StateImage which) const {
    switch (which) {
    case StateImage::btn_up_down: return image(kUpDown);
    case StateImage::btn_left_down: return image(kLeftDown);
    case StateImage::btn_right_down: return image(kRightDown);
    case StateImage::btn_down_down: return image(kDownDown);
    case StateImage::btn_power_on: return image(kPowerOn);
    case StateImage::btn_fire_up: return image(kFireUp);
    }
    return nullptr;
}

SkinImage *Skin::clickableImage(ClickableImage which) const {
    switch (which) {
    case ClickableImage::btn_power_top: return image(kPowerTop);
    case ClickableImage::btn_up_top: return image(kUpTop);
    case ClickableImage::btn_left_top: return image(kLeftTop);
    case ClickableImage::btn_right_top: return image(kRightTop);
    case ClickableImage::btn_down_top: return image(kDownTop);
    case ClickableImage::btn_fire_top: return image(kFireTop);
    }
    return nullptr;
}

void Skin::Gfx_Copy_Ship_To_Torpedo() {
    for (const Cell cell : Vid_All_Cells) {
        torpedo(cell)->copyPictureFrom(*ship(cell));
        torpedo(cell)->setGeometry(ship(cell)->geometry());
    }
}

void Skin::setLit(SkinImage &led, bool lit) {
    if (led.isHidden() != lit) return;
    led.setVisible(lit);
    keyPixelsMoved(led);
}

void Skin::keyPixelsMoved(const SkinImage &image) {
    if (shapeChanged && image.showsSeeThroughColour()) shapeChanged({});
}

void Skin::showPanelPositions() {
    panelPosition(1)->setVisible(true);
    panelPosition(2)->setVisible(true);
}

void Skin::setPanelPicture(int position, int source) {
    SkinImage *place = panelPosition(position);
    const bool hadKeyPixels = place->showsSeeThroughColour();
    if (source < 0)
        place->clearPicture();
    else
        place->copyPictureFrom(*panelNumber(source));
    if (hadKeyPixels && shapeChanged) shapeChanged({});
    keyPixelsMoved(*place);
}

void Skin::setVisible(StateImage which, bool visible) {
    SkinImage *picture = stateImage(which);
    if (picture->isHidden() == !visible) return;
    picture->setVisible(visible);
    // A button picture may reach past the device's outline (the fire button does).
    if (shapeChanged) shapeChanged(picture->showsSeeThroughColour() ? QRect() : picture->geometry());
}

}  // namespace fathomer

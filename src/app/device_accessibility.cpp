#include "app/device_accessibility.h"

#include "app/device_session.h"
#include "app/readout_texts.h"
#include "app/spoken_game.h"

#include <QAccessible>
#include <QEvent>

namespace fathomer {

namespace {

struct ControlName {
    ClickableImage image;
    const char *name;
};

const ControlName kControls[] = {
    {ClickableImage::btn_power_top, "Power"}, {ClickableImage::btn_up_top, "Up"},
    {ClickableImage::btn_down_top, "Down"},   {ClickableImage::btn_left_top, "Left"},
    {ClickableImage::btn_right_top, "Right"}, {ClickableImage::btn_fire_top, "Fire"},
};

}  // namespace

DeviceAccessibility::DeviceAccessibility(QWidget &window, const Skin &skin, DisplayReading &reading,
                                         const DeviceSession &session)
    : QObject(&window) {
    const auto powered = [&session] { return session.powerOn(); };
    installAccessibility();
    for (const ControlName &control : kControls) {
        SkinImage *image = skin.clickableImage(control.image);
        setAccessibleControl(*image, QAccessible::Button, QString::fromLatin1(control.name));
        // The hint names the key, which the key settings change.
        image->installEventFilter(this);
    }
    setAccessibleControl(*skin.gameMenuButton(), QAccessible::Button, QStringLiteral("Game menu"));

    // The boxes are read when asked for: the skin lays them out afresh at each load.
    scoreReadout = new AccessibleReadout(
        window, QStringLiteral("score_panel"), [&reading, powered] { return scoreReadoutText(reading, powered()); },
        [&skin] { return skin.panelPosition(1)->geometry().united(skin.panelPosition(2)->geometry()); });
    playfieldReadout = new AccessibleReadout(
        window, QStringLiteral("playfield"), [&reading, powered] { return playfieldReadoutText(reading, powered()); },
        [&skin] {
            QRect cells;
            for (const Cell cell : Vid_All_Cells) cells = cells.united(skin.ship(cell)->geometry());
            return cells;
        });
    spoken = new SpokenGame(window, reading, session);
}

void DeviceAccessibility::deviceChanged() {
    scoreReadout->changed();
    playfieldReadout->changed();
    spoken->displayChanged();
}

bool DeviceAccessibility::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::ToolTipChange && QAccessible::isActive()) {
        QAccessibleEvent changed(watched, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace fathomer

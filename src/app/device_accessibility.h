#pragma once

#include "app/skin.h"
#include "game/display_reading.h"
#include "platform/accessible_controls.h"

#include <QObject>
#include <functional>

namespace fathomer {

// The device for screen readers: the six pictured controls as buttons named after them, with
// their hints as descriptions, the game menu's button, and the score panel and the playfield as
// texts that follow the game. Owned by the main window.
class DeviceAccessibility : public QObject {
    Q_OBJECT
public:
    // powered: whether the device is switched on.
    DeviceAccessibility(QWidget &window, const Skin &skin, DisplayReading &reading, std::function<bool()> powered);

    AccessibleReadout &score() const { return *scoreReadout; }
    AccessibleReadout &playfield() const { return *playfieldReadout; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AccessibleReadout *scoreReadout = nullptr;
    AccessibleReadout *playfieldReadout = nullptr;
};

}  // namespace fathomer

#pragma once

#include "app/skin.h"
#include "game/display_reading.h"
#include "platform/accessible_controls.h"

#include <QObject>

namespace fathomer {

class DeviceSession;
class SpokenGame;

// The device for screen readers: the six pictured controls as buttons named after them, with
// their hints as descriptions, the game menu's button, and the score panel and the playfield as
// texts that follow the game. A child of the main window.
class DeviceAccessibility : public QObject {
    Q_OBJECT
public:
    // session: the game whose power the texts follow.
    DeviceAccessibility(QWidget &window, const Skin &skin, DisplayReading &reading, const DeviceSession &session);

    // After each change of what the device shows: the readouts and the spoken news follow.
    void deviceChanged();

    AccessibleReadout &score() const { return *scoreReadout; }
    AccessibleReadout &playfield() const { return *playfieldReadout; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AccessibleReadout *scoreReadout = nullptr;
    AccessibleReadout *playfieldReadout = nullptr;
    SpokenGame *spoken = nullptr;
};

}  // namespace fathomer

#pragma once

#include "game/game_ports.h"

#include <QString>
#include <bitset>
#include <functional>

namespace fathomer {

// What the playfield and the score panel show, kept as they are drawn, so that the device can be
// read out as text to someone who cannot see it. Every drawing is passed on to the display that
// shows it; the collision check still reads what that display shows.
class DisplayReading final : public LedDisplay {
public:
    enum class Part { Playfield, Score };

    explicit DisplayReading(LedDisplay &shown) : shown(shown) {}

    void setShipLit(Cell cell, bool lit) override;
    void setTorpedoLit(Cell cell, bool lit) override;
    bool torpedoLit(Cell cell) const override { return shown.torpedoLit(cell); }
    void showPanelPositions() override { shown.showPanelPositions(); }
    void setPanelPicture(int position, int source) override;

    // "Score 12" (the letters a..e read as the tens 10..14), "Score blank" while the panel is dark
    // during a game, "off" when the device is switched off.
    QString scoreText(bool powered) const;
    // "ship at column 4, row 2; torpedo at column 6, row 2", "dark" when nothing is lit, "off".
    QString playfieldText(bool powered) const;

    // Told after each change of what one display shows; nothing is built or allocated for it, so
    // a game tick stays free of allocations.
    std::function<void(Part)> changed;

private:
    void tell(Part part) const {
        if (changed) changed(part);
    }

    LedDisplay &shown;
    std::bitset<Vid_Cells> ships, torpedoes;  // by Vid_Cell_Index
    int panel[2] = {-1, -1};                  // the picture source of the tens and of the units
};

}  // namespace fathomer

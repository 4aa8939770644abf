#pragma once

#include "game/game_ports.h"

#include <bitset>

namespace fathomer {

// What the playfield and the score panel show, kept as they are drawn, so that a front-end can
// read the device out to someone who cannot see it. Every drawing is passed on to the display that
// shows it; the collision check still reads what that display shows.
class DisplayReading final : public LedDisplay {
public:
    explicit DisplayReading(LedDisplay &shown) : shown(shown) {}

    void setShipLit(Cell cell, bool lit) override;
    void setTorpedoLit(Cell cell, bool lit) override;
    bool torpedoLit(Cell cell) const override { return shown.torpedoLit(cell); }
    void showPanelPositions() override { shown.showPanelPositions(); }
    void setPanelPicture(int position, int source) override;

    // Whether the last drawing lit the ship's or the torpedo's LED of the cell.
    bool shipDrawn(Cell cell) const { return ships.test(Vid_Cell_Index(cell)); }
    bool torpedoDrawn(Cell cell) const { return torpedoes.test(Vid_Cell_Index(cell)); }
    // The number the panel shows, the letters a..e read as the tens 10..14; -1 while it is dark.
    int panelNumber() const;

private:
    LedDisplay &shown;
    std::bitset<Vid_Cells> ships, torpedoes;  // by Vid_Cell_Index
    int panel[2] = {-1, -1};                  // the picture source of the tens and of the units
};

}  // namespace fathomer

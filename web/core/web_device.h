#pragma once

#include "game/controls.h"
#include "game/display_reading.h"
#include "game/game_rules.h"

#include <array>
#include <cstdint>

// The device as the web page runs it: the game's ports kept as plain values the page reads after
// each call, since the page, not the core, draws, plays sounds and runs the clocks.

namespace fathomer::web {

// The LEDs and the score panel as last drawn.
class RecordedDisplay final : public LedDisplay {
public:
    void setShipLit(Cell cell, bool lit) override { ship[std::size_t(Vid_Cell_Index(cell))] = lit; }
    void setTorpedoLit(Cell cell, bool lit) override { torpedo[std::size_t(Vid_Cell_Index(cell))] = lit; }
    bool torpedoLit(Cell cell) const override { return torpedo[std::size_t(Vid_Cell_Index(cell))]; }
    void showPanelPositions() override { panelShown = true; }
    void setPanelPicture(int position, int source) override { panel[std::size_t(position - 1)] = source; }

    std::array<bool, Vid_Cells> ship{}, torpedo{};
    std::array<int, 2> panel{-1, -1};  // tens, units: a PanelPicture source
    bool panelShown = false;
};

// The state pictures beneath the buttons, by StateImage.
class RecordedButtons final : public ButtonImages {
public:
    void setVisible(StateImage image, bool visible) override { shown[std::size_t(image)] = visible; }
    // The fire button is drawn raised until it is first pressed.
    std::array<bool, 6> shown{false, false, false, false, false, true};
};

// A clock the page runs. The page restarts its timer whenever starts changes while the clock is
// enabled: enabling a stopped clock starts a full interval, and a new interval on a running clock
// restarts the count, as the desktop's timers do.
class PageClock final : public GameClock {
public:
    void setInterval(int ms) override;
    void setEnabled(bool enabled) override;
    bool enabled() const override { return on; }
    int interval() const override { return ms; }
    std::uint32_t starts = 0;

private:
    bool on = false;
    int ms = 1;
};

// Sound requests queued for the page to play: a sample's number, or kSilence.
class QueuedSound final : public SoundRequests {
public:
    static constexpr int kSilence = 4;
    void Snd_Play(Sample sample) override { push(int(sample)); }
    void Snd_Silence() override { push(kSilence); }
    // The oldest request not yet taken, or -1.
    int take();

private:
    void push(int request);
    std::array<int, 32> queue{};
    std::size_t first = 0, count = 0;
};

// One device: the rules and controls over the recorded ports.
struct WebDevice {
    RecordedDisplay shown;
    DisplayReading display{shown};
    RecordedButtons buttons;
    QueuedSound sound;
    std::array<PageClock, 3> clocks;  // Timer_Game, Timer_Reprise, Timer_Game_Over
    GameRules rules{display, sound, clocks[0], clocks[1], clocks[2]};
    PlayerControls controls{rules, buttons};

    // Runs the handler of clock n (0..2) for one timeout.
    void timeout(int n);
};

}  // namespace fathomer::web

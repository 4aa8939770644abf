#pragma once

#include "game/cell.h"

#include <cstdint>

// What the game needs from the window around it. The main window implements these over its
// images, timers and the sound layer; the tests implement them with recording fakes.

namespace fathomer {

// The playfield's two LED layers and the two-digit score panel.
class LedDisplay {
public:
    virtual ~LedDisplay() = default;

    virtual void setShipLit(Cell cell, bool lit) = 0;
    virtual void setTorpedoLit(Cell cell, bool lit) = 0;
    // The collision check reads what is shown, not the torpedo flags.
    virtual bool torpedoLit(Cell cell) const = 0;

    // Makes both panel positions visible; a blank panel is two empty pictures, never hidden images.
    virtual void showPanelPositions() = 0;
    // position 1 is the tens (left), 2 the units (right). source is a PanelPicture value:
    // -1 empties the picture, 0..9 copies that digit image's picture, 10..14 the letters a..e.
    virtual void setPanelPicture(int position, int source) = 0;
};

// The state images beneath the clickable button images.
enum class StateImage {
    btn_up_down,
    btn_left_down,
    btn_right_down,
    btn_down_down,
    btn_power_on,
    btn_fire_up,
};

// The clickable images that take the mouse (and, in the front-end, carry the hints).
enum class ClickableImage {
    btn_power_top,
    btn_up_top,
    btn_left_top,
    btn_right_top,
    btn_down_top,
    btn_fire_top,
};

class ButtonImages {
public:
    virtual ~ButtonImages() = default;
    virtual void setVisible(StateImage image, bool visible) = 0;
    // Told the new Power_On at every power switch, before the power picture changes: the hints
    // name keys, which the game does not know, so the front-end renews the power button's here.
    virtual void powerSwitched(std::int32_t /*powerOn*/) {}
};

// One interval timer on the user-interface thread (Timer_Game, Timer_Reprise, Timer_Game_Over).
// Back it with a precise timer: a coarse one runs the game a few percent fast.
// setEnabled(true) on a running clock leaves it running; setInterval on a running clock restarts
// the count with the new interval. Both match what the rules expect of the window's timers.
class GameClock {
public:
    virtual ~GameClock() = default;
    virtual void setInterval(int ms) = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;
    virtual int interval() const = 0;
};

// Sound requests by sample; the sound layer does nothing with them while sound is off.
class SoundRequests {
public:
    enum class Sample { GameOver, Hit, Missed, Sonar };

    virtual ~SoundRequests() = default;
    virtual void Snd_Play(Sample sample) = 0;
    virtual void Snd_Silence() = 0;
};

}  // namespace fathomer

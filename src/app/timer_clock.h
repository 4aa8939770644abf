#pragma once

#include "game/game_ports.h"

#include <QTimer>

namespace fathomer {

// A game clock on one of the main window's precise timers.
class TimerClock final : public GameClock {
public:
    explicit TimerClock(QTimer &timer) : timer(timer) {}
    void setInterval(int ms) override { timer.setInterval(ms); }
    void setEnabled(bool on) override {
        if (!on)
            timer.stop();
        else if (!timer.isActive())
            timer.start();
    }
    bool enabled() const override { return timer.isActive(); }
    int interval() const override { return timer.interval(); }

private:
    QTimer &timer;
};

}  // namespace fathomer

#pragma once

#include "app/device_session.h"

namespace fathomer {

// The session's parts, which the program reaches only through its intents: tests seed and step
// the rules, read the controls' latches and the sound's state, and check the three timers.
struct DeviceSessionTestSeam {
    DeviceSession &session;
    GameRules &rules() const { return session.gameRules; }
    PlayerControls &controls() const { return session.playerControls; }
    SoundOutput &sound() const { return session.soundOutput; }
    QTimer &gameTimer() const { return session.Timer_Game; }
    QTimer &repriseTimer() const { return session.Timer_Reprise; }
    QTimer &gameOverTimer() const { return session.Timer_Game_Over; }
};

namespace testing {
inline DeviceSessionTestSeam partsOf(DeviceSession &session) { return {session}; }
}  // namespace testing

}  // namespace fathomer

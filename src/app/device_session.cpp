#include "app/device_session.h"

#include "app/skin.h"
#include "platform/app_control.h"

namespace fathomer {

DeviceSession::DeviceSession(LedDisplay &display, Skin &skin, KeyBindings &keys, SoundFailureHandler &failures,
                             QWidget &errorParent)
    : soundOutput(failures), gameRules(display, gameSound, gameClock, repriseClock, gameOverClock),
      buttons(skin, skin, keys), playerControls(gameRules, buttons) {
    const std::pair<QTimer *, const char *> timers[] = {
        {&Timer_Reprise, "Timer_Reprise"}, {&Timer_Game, "Timer_Game"}, {&Timer_Game_Over, "Timer_Game_Over"}};
    for (const auto &[timer, name] : timers) {
        timer->setObjectName(QString::fromLatin1(name));
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(1);
    }
    QWidget *parent = &errorParent;
    const auto guarded = [parent](auto work) { return [parent, work] { runGuarded(parent, work); }; };
    QObject::connect(&Timer_Game, &QTimer::timeout, &Timer_Game, guarded([this] { gameRules.Timer_GameTimer(); }));
    QObject::connect(&Timer_Reprise, &QTimer::timeout, &Timer_Reprise,
                     guarded([this] { gameRules.Timer_RepriseTimer(); }));
    QObject::connect(&Timer_Game_Over, &QTimer::timeout, &Timer_Game_Over,
                     guarded([this] { gameRules.Timer_Game_OverTimer(); }));
    gameRules.Gam_Random.Randomize();
}

}  // namespace fathomer

#include "app/device_session.h"

#include "app/skin.h"

#include <optional>

namespace fathomer {

namespace {

// FATHOMER_SEED replays the same submarine in every run; anything but a plain number is ignored.
std::optional<std::uint32_t> seedFromEnvironment() {
    const QString text = qEnvironmentVariable("FATHOMER_SEED");
    bool ok = false;
    const qulonglong seed = text.toULongLong(&ok);
    if (!ok || seed > 0xFFFFFFFFull || !text.front().isDigit()) return std::nullopt;
    return static_cast<std::uint32_t>(seed);
}

}  // namespace

DeviceSession::DeviceSession(LedDisplay &display, Skin &skin, KeyBindings &keys, SoundFailureHandler &failures,
                             QObject *window)
    : QObject(window), soundOutput(failures), gameRules(display, gameSound, gameClock, repriseClock, gameOverClock),
      buttons(skin, skin, keys), playerControls(gameRules, buttons) {
    const std::pair<QTimer *, const char *> timers[] = {
        {&Timer_Reprise, "Timer_Reprise"}, {&Timer_Game, "Timer_Game"}, {&Timer_Game_Over, "Timer_Game_Over"}};
    for (const auto &[timer, name] : timers) {
        timer->setObjectName(QString::fromLatin1(name));
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(1);
    }
    // An error in a tick is reported by the application's guard around every event.
    QObject::connect(&Timer_Game, &QTimer::timeout, &Timer_Game, [this] { gameRules.Timer_GameTimer(); });
    QObject::connect(&Timer_Reprise, &QTimer::timeout, &Timer_Reprise, [this] { gameRules.Timer_RepriseTimer(); });
    QObject::connect(&Timer_Game_Over, &QTimer::timeout, &Timer_Game_Over,
                     [this] { gameRules.Timer_Game_OverTimer(); });
    gameRules.Gam_Random.Randomize();
    if (const std::optional<std::uint32_t> seed = seedFromEnvironment()) gameRules.Gam_Random.setSeed(*seed);
}

}  // namespace fathomer

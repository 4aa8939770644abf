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

DeviceSession::DeviceSession(LedDisplay &display, Skin &skin, SoundFailureHandler &failures, QObject *window)
    : QObject(window), soundOutput(failures), display(display, [this] { noteShown(); }),
      buttons(skin, [this] { emit changed(Change::Power); }),
      gameRules(this->display, gameSound, gameClock, repriseClock, gameOverClock), playerControls(gameRules, buttons) {
    const std::pair<QTimer *, const char *> timers[] = {
        {&Timer_Reprise, "Timer_Reprise"}, {&Timer_Game, "Timer_Game"}, {&Timer_Game_Over, "Timer_Game_Over"}};
    for (const auto &[timer, name] : timers) {
        // The session's children, so that tools find them by name.
        timer->setParent(this);
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

void DeviceSession::press(DeviceControl control) { playerControls.press(control); }

void DeviceSession::release(DeviceControl control) { playerControls.release(control); }

bool DeviceSession::startSound(SoundChoice choice) { return soundOutput.Snd_Init(choice); }

void DeviceSession::switchOff() {
    const bool wasOn = powerOn();
    gameRules.Gam_Power_Off();
    if (wasOn) emit changed(Change::Power);
}

void DeviceSession::close() { soundOutput.Snd_Close(); }

// An event lights and darkens many LEDs; those that follow the game hear of it once, after it.
void DeviceSession::noteShown() {
    if (shownPending) return;
    shownPending = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            shownPending = false;
            emit changed(Change::Shown);
        },
        Qt::QueuedConnection);
}

}  // namespace fathomer

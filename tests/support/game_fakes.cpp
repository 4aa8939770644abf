#include "game_fakes.h"

#include <algorithm>

namespace fathomer::test {

QString FakeLedDisplay::picture(const bool (&layer)[21]) {
    QString text;
    for (int row = 1; row <= 3; ++row) {
        if (row > 1) text += QLatin1Char('/');
        for (int col = 1; col <= 7; ++col)
            text += layer[Vid_Cell_Index({col, row})] ? QLatin1Char('#') : QLatin1Char('.');
    }
    return text;
}

int FakeLedDisplay::litShips() const { return int(std::count(std::begin(ship), std::end(ship), true)); }
int FakeLedDisplay::litTorpedoes() const { return int(std::count(std::begin(torpedo), std::end(torpedo), true)); }

QString FakeLedDisplay::panelText() const {
    QString text;
    for (int source : panel) text += source < 0 ? QLatin1Char(' ') : QLatin1Char("0123456789abcde"[source]);
    return text;
}

void FakeClock::setInterval(int interval) {
    ms = interval;
    if (isEnabled) due = time.now + ms;
}

void FakeClock::setEnabled(bool enabled) {
    if (enabled && !isEnabled) due = time.now + ms;
    isEnabled = enabled;
}

int FakeSound::count(Sample sample) const {
    int n = 0;
    for (const Event &e : events) n += !e.silence && e.sample == sample;
    return n;
}

QStringList FakeSound::names(std::size_t from) const {
    static const char *const sampleNames[] = {"GameOver", "Hit", "Missed", "Sonar"};
    QStringList list;
    for (std::size_t i = from; i < events.size(); ++i)
        list << (events[i].silence ? QStringLiteral("Silence")
                                   : QString::fromLatin1(sampleNames[int(events[i].sample)]));
    return list;
}

qint64 FakeSound::lastPlayed(Sample sample) const {
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (!it->silence && it->sample == sample) return it->at;
    return -1;
}

GameRig::GameRig() {
    timerGame.onTimeout = [this] { rules.Timer_GameTimer(); };
    timerReprise.onTimeout = [this] { rules.Timer_RepriseTimer(); };
    timerGameOver.onTimeout = [this] { rules.Timer_Game_OverTimer(); };
}

FakeClock *GameRig::runNext() {
    FakeClock *next = nullptr;
    for (FakeClock *clock : {&timerGame, &timerReprise, &timerGameOver})
        if (clock->enabled() && (!next || clock->due < next->due)) next = clock;
    if (!next) return nullptr;
    time.now = next->due;
    next->due += next->interval();
    next->onTimeout();
    return next;
}

int GameRig::advanceTo(qint64 t) {
    int ran = 0;
    for (;;) {
        FakeClock *next = nullptr;
        for (FakeClock *clock : {&timerGame, &timerReprise, &timerGameOver})
            if (clock->enabled() && clock->due <= t && (!next || clock->due < next->due)) next = clock;
        if (!next) break;
        runNext();
        ++ran;
    }
    time.now = t;
    return ran;
}

void GameRig::tick() {
    time.now = timerGame.due;
    timerGame.due += timerGame.interval();
    rules.Timer_GameTimer();
}

void GameRig::powerOn() {
    position().Power_On = 0;
    controls.press(DeviceControl::Power);
}

}  // namespace fathomer::test

#pragma once

#include "game/controls.h"
#include "game/game_ports.h"
#include "game/game_rules.h"
#include "keys/button_hints.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <vector>

// Recording fakes of the game's ports and a virtual clock to drive the three game timers.

namespace fathomer {

// The rules' state, writable: for tests that set up a position the game would take long to reach;
// and the steps the intents and timers are made of, run one at a time.
struct GameRulesTestSeam {
    static GameState &state(GameRules &rules) { return rules.State; }
    static void Gam_Set_Mode(GameRules &rules) { rules.Gam_Set_Mode(); }
    static void Gam_Check_Collision(GameRules &rules) { rules.Gam_Check_Collision(); }
    static void Gam_Resolve_Shot(GameRules &rules) { rules.Gam_Resolve_Shot(); }
    static void Vid_Show_Ship(GameRules &rules, bool show) { rules.Vid_Show_Ship(show); }
    static void Vid_Show_Torpedo_Flags(GameRules &rules) { rules.Vid_Show_Torpedo_Flags(); }
    static const GameClock &Timer_Game(const GameRules &rules) { return rules.Timer_Game; }
};

}  // namespace fathomer

namespace fathomer::test {

class FakeLedDisplay : public LedDisplay {
public:
    void setShipLit(Cell cell, bool lit) override { ship[Vid_Cell_Index(cell)] = lit; }
    void setTorpedoLit(Cell cell, bool lit) override {
        torpedo[Vid_Cell_Index(cell)] = lit;
        ++torpedoWrites;
    }
    bool torpedoLit(Cell cell) const override { return torpedo[Vid_Cell_Index(cell)]; }
    void showPanelPositions() override { panelVisible[0] = panelVisible[1] = true; }
    void setPanelPicture(int position, int source) override { panel[position - 1] = source; }

    bool shipAt(int col, int row) const { return ship[Vid_Cell_Index({col, row})]; }
    bool torpedoAt(int col, int row) const { return torpedo[Vid_Cell_Index({col, row})]; }
    // One string per layer, rows top to bottom joined by '/', '#' lit: "...#.../......./.......".
    QString shipPicture() const { return picture(ship); }
    QString torpedoPicture() const { return picture(torpedo); }
    int litShips() const;
    int litTorpedoes() const;
    // The two panel positions as characters: ' ' dark, '0'..'9', 'a'..'e'.
    QString panelText() const;

    bool ship[21] = {};
    bool torpedo[21] = {};
    int panel[2] = {-1, -1};
    bool panelVisible[2] = {false, false};
    int torpedoWrites = 0;

private:
    static QString picture(const bool (&layer)[21]);
};

class FakeButtonImages : public ButtonImages, public ButtonHints {
public:
    void setVisible(StateImage image, bool visible) override { visibleImages[image] = visible; }
    void setHint(ClickableImage image, const QString &hint) override { hints[image] = hint; }
    void powerSwitched(qint32 powerOn) override { powerSwitches << powerOn; }
    bool isVisible(StateImage image) const { return visibleImages.value(image, false); }

    QMap<StateImage, bool> visibleImages;
    QMap<ClickableImage, QString> hints;
    QList<qint32> powerSwitches;  // what the front-end hears, to renew the power hint
};

// Virtual milliseconds shared by the fake clocks and the sound log.
struct VirtualTime {
    qint64 now = 0;
};

// A timer in virtual time. Enabling a stopped clock starts a full interval; setInterval on a
// running clock restarts the count; a timeout re-arms the next one before the handler runs.
class FakeClock : public GameClock {
public:
    FakeClock(VirtualTime &time, const char *name) : time(time), name(name) {}
    void setInterval(int ms) override;
    void setEnabled(bool enabled) override;
    bool enabled() const override { return isEnabled; }
    int interval() const override { return ms; }

    qint64 due = 0;
    std::function<void()> onTimeout;
    VirtualTime &time;
    const char *name;

private:
    bool isEnabled = false;
    int ms = 1;  // the window's timers start disabled with interval 1
};

class FakeSound : public SoundRequests {
public:
    struct Event {
        bool silence;
        Sample sample;
        qint64 at;
    };
    explicit FakeSound(const VirtualTime &time) : time(time) {}
    void Snd_Play(Sample sample) override { events.push_back({false, sample, time.now}); }
    void Snd_Silence() override { events.push_back({true, Sample::Sonar, time.now}); }

    int count(Sample sample) const;
    // "Silence", "Hit", "Missed", "Sonar", "GameOver" since index from.
    QStringList names(std::size_t from = 0) const;
    // Time of the last play of sample, or -1.
    qint64 lastPlayed(Sample sample) const;

    std::vector<Event> events;

private:
    const VirtualTime &time;
};

// The rules and the controls on fakes, with the timers wired to their handlers.
struct GameRig {
    GameRig();

    // Runs due timeouts up to virtual time t, in order of their due times; returns how many ran.
    int advanceTo(qint64 t);
    int advanceBy(qint64 ms) { return advanceTo(time.now + ms); }
    // Runs the earliest pending timeout and returns its clock, or nullptr when none is enabled.
    FakeClock *runNext();
    // Jumps to the next game tick and runs it.
    void tick();
    // Switches the device on from off, as the power control does.
    void powerOn();
    const GameState &state() const { return rules.state(); }
    // Sets up a position directly, past the rules (see GameRulesTestSeam).
    GameState &position() { return GameRulesTestSeam::state(rules); }

    VirtualTime time;
    FakeLedDisplay display;
    FakeButtonImages buttons;
    FakeSound sound{time};
    FakeClock timerGame{time, "Timer_Game"};
    FakeClock timerReprise{time, "Timer_Reprise"};
    FakeClock timerGameOver{time, "Timer_Game_Over"};
    GameRules rules{display, sound, timerGame, timerReprise, timerGameOver};
    PlayerControls controls{rules, buttons};
};

}  // namespace fathomer::test

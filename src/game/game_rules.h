#pragma once

#include "game/game_ports.h"
#include "game/game_random.h"
#include "game/game_state.h"

namespace fathomer {

// The rules and clockwork of the submarine hunt: every game global, the mode switch, the
// three timer handlers, the collision check and the resolution of a shot. Drawing goes to a
// LedDisplay, timing to three GameClocks, sound to SoundRequests. A game tick allocates nothing.
// Callers move the game only through the intents below and read it through state().
//
// The window owns one instance, calls Timer_GameTimer / Timer_RepriseTimer / Timer_Game_OverTimer
// from the timeouts of the clocks passed as Timer_Game / Timer_Reprise / Timer_Game_Over, and
// calls Gam_Random.Randomize() once while it is created.
class GameRules {
public:
    // Torpedo directions, the innermost index of Gam_Torpedo.
    static constexpr int Leftward = 0;   // travelling toward column 1
    static constexpr int Rightward = 1;  // travelling toward column 7

    static constexpr int Tick_Interval = 205;
    static constexpr int Reprise_After_Hit = 1200;
    static constexpr int Reprise_After_Miss = 1000;
    static constexpr int Game_Over_First = 1;
    static constexpr int Game_Over_Score_Delay = 1650;
    static constexpr int Shots_Per_Game = 30;

    GameRules(LedDisplay &display, SoundRequests &sound, GameClock &timerGame, GameClock &timerReprise,
              GameClock &timerGameOver);
    GameRules(const GameRules &) = delete;
    GameRules &operator=(const GameRules &) = delete;

    // Intents. Switches the power over (off to on, anything else to off) and brings the device
    // into line with it.
    void Gam_Switch_Power();
    // Switches the device off, whatever it was doing.
    void Gam_Power_Off();
    // Moves the ship by one cell when a game is running and the cell is on the playfield, then
    // checks for a collision; false when the ship stayed where it was.
    bool Gam_Move_Ship(int dCol, int dRow);
    // Fires when a game is running; false when the press was refused.
    bool Gam_Fire();

    void Timer_GameTimer();
    void Timer_RepriseTimer();
    void Timer_Game_OverTimer();

    // Whether either direction flag of the cell (column 1..7, row 1..3) is set.
    bool torpedoAt(int col, int row) const;

    const GameState &state() const { return State; }

    GameRandom Gam_Random;

private:
    // Brings the device into line with Power_On: 0 blanks it, 1 starts a new game, anything else
    // does nothing.
    void Gam_Set_Mode();
    void Gam_Stop_All_Timers();
    // Ends the game when a torpedo is shown in the ship's cell. Called after every move and tick.
    void Gam_Check_Collision();
    // The body of an accepted fire press.
    void Gam_Resolve_Shot();

    // Shows or hides the ship image at (Gam_Ship_Col, Gam_Ship_Row).
    void Vid_Show_Ship(bool show);
    void Vid_Show_Panel_Score(int &value, bool show);
    // Sets every torpedo image from Gam_Torpedo: lit exactly when either flag of its cell is set.
    void Vid_Show_Torpedo_Flags();

    GameClock &Timer_Game;
    GameClock &Timer_Reprise;
    GameClock &Timer_Game_Over;

    void Gam_Move_Torpedoes();
    void Gam_Step_Submarine();
    bool Gam_Row_Clear() const;

    LedDisplay &Display;
    SoundRequests &Sound;
    GameState State;

    // Lets tests set up a position directly and run the steps above one at a time; nothing in the
    // program uses it.
    friend struct GameRulesTestSeam;
};

}  // namespace fathomer

#pragma once

#include "game/game_ports.h"
#include "game/game_random.h"

#include <QtGlobal>

namespace fathomer {

// The rules and clockwork of the submarine hunt: every game global, the mode switch, the
// three timer handlers, the collision check and the resolution of a shot. Drawing goes to a
// LedDisplay, timing to three GameClocks, sound to SoundRequests. A game tick allocates nothing.
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

    // Brings the device into line with Power_On: 0 blanks it, 1 starts a new game, anything else
    // does nothing.
    void Gam_Set_Mode();
    void Gam_Stop_All_Timers();
    // Ends the game when a torpedo is shown in the ship's cell. Called after every move and tick.
    void Gam_Check_Collision();
    // The body of an accepted fire press.
    void Gam_Resolve_Shot();

    void Timer_GameTimer();
    void Timer_RepriseTimer();
    void Timer_Game_OverTimer();

    // Shows or hides the ship image at (Gam_Ship_Col, Gam_Ship_Row).
    void Vid_Show_Ship(bool show);
    void Vid_Show_Panel_Score(int &value, bool show);
    // Sets every torpedo image from Gam_Torpedo: lit exactly when either flag of its cell is set.
    void Vid_Show_Torpedo_Flags();

    // Whether either direction flag of the cell (column 1..7, row 1..3) is set.
    bool torpedoAt(int col, int row) const;

    LedDisplay &display() { return Display; }
    GameClock &Timer_Game;
    GameClock &Timer_Reprise;
    GameClock &Timer_Game_Over;

    // Game state. Zero at program start; columns count 1..7 and rows 1..3 as on the device.
    qint32 Power_On = 0;  // 0 off, 1 on
    bool Gam_Running = false;
    qint32 Gam_Score = 0;
    qint32 Gam_Hit_Value = 0;
    qint32 Gam_Shots_Left = 0;
    qint32 Gam_Ship_Col = 0;
    qint32 Gam_Ship_Row = 0;
    qint32 Gam_Sub_Col = 0;
    qint32 Gam_Sub_Row = 0;
    qint32 Gam_Sub_Target = 0;
    // [column - 1][row - 1][direction]; a flag is 0 or 1.
    quint8 Gam_Torpedo[7][3][2] = {};
    qint32 Gam_Phase = 0;
    qint32 Gam_Sub_Clock = 0;
    qint32 Gam_Launch_Clock = 0;
    qint32 Gam_Over_Step = 0;

    GameRandom Gam_Random;

private:
    void Gam_Move_Torpedoes();
    void Gam_Step_Submarine();
    bool Gam_Row_Clear() const;

    LedDisplay &Display;
    SoundRequests &Sound;
};

}  // namespace fathomer

#include "game/game_rules.h"

#include "game/playfield.h"

namespace fathomer {

namespace {
constexpr int Col_Min = 1;
constexpr int Col_Max = Vid_Columns;
constexpr int Row_Min = 1;
constexpr int Row_Max = Vid_Rows;
}  // namespace

GameRules::GameRules(LedDisplay &display, SoundRequests &sound, GameClock &timerGame, GameClock &timerReprise,
                     GameClock &timerGameOver)
    : Timer_Game(timerGame), Timer_Reprise(timerReprise), Timer_Game_Over(timerGameOver), Display(display),
      Sound(sound)
{
}

void GameRules::Vid_Show_Ship(bool show)
{
    fathomer::Vid_Show_Ship(Display, Gam_Ship_Col, Gam_Ship_Row, show);
}

void GameRules::Vid_Show_Panel_Score(int &value, bool show)
{
    fathomer::Vid_Show_Panel_Score(Display, value, show);
}

bool GameRules::torpedoAt(int col, int row) const
{
    const quint8 *flags = Gam_Torpedo[col - 1][row - 1];
    return flags[Leftward] != 0 || flags[Rightward] != 0;
}

void GameRules::Vid_Show_Torpedo_Flags()
{
    for (int col = Col_Min; col <= Col_Max; ++col)
        for (int row = Row_Min; row <= Row_Max; ++row)
            Display.setTorpedoLit(Vid_Cell_Index(col, row), torpedoAt(col, row));
}

void GameRules::Gam_Stop_All_Timers()
{
    Timer_Game.setEnabled(false);
    Timer_Game_Over.setEnabled(false);
    Timer_Reprise.setEnabled(false);
}

void GameRules::Gam_Set_Mode()
{
    if (Power_On == 0) {
        Gam_Stop_All_Timers();
        Sound.Snd_Silence();
        Gam_Running = false;
        Vid_Show_All_Ship(Display, false);
        Vid_Show_All_Torpedo(Display, false);
        int blank = 0;  // blanks the panel without touching the score
        Vid_Show_Panel_Score(blank, false);
    } else if (Power_On == 1) {
        // Power-on always follows a power-off, which has already hidden everything.
        Gam_Score = 0;
        Vid_Show_Panel_Score(Gam_Score, true);
        Gam_Hit_Value = 5;
        Gam_Shots_Left = Shots_Per_Game;
        Gam_Ship_Col = 4;
        Gam_Ship_Row = 2;
        Vid_Show_Ship(true);
        Gam_Sub_Col = 7;
        Gam_Sub_Row = 1;
        Gam_Sub_Target = 1;
        for (auto &column : Gam_Torpedo)
            for (auto &cell : column)
                cell[Leftward] = cell[Rightward] = 0;
        Gam_Running = true;
        Gam_Phase = 1;
        Gam_Sub_Clock = 1;
        Gam_Launch_Clock = 1;
        Timer_Game.setInterval(Tick_Interval);
        Timer_Game.setEnabled(true);
    }
}

void GameRules::Gam_Check_Collision()
{
    if (!Display.torpedoLit(Vid_Cell_Index(Gam_Ship_Col, Gam_Ship_Row)))
        return;
    Gam_Stop_All_Timers();
    Sound.Snd_Silence();
    Gam_Running = false;
    Vid_Show_Panel_Score(Gam_Score, false);
    Vid_Show_All_Torpedo(Display, false);  // the ship stays lit
    Gam_Over_Step = 1;
    Timer_Game_Over.setInterval(Game_Over_First);
    Timer_Game_Over.setEnabled(true);
}

void GameRules::Gam_Move_Torpedoes()
{
    for (int row = 0; row < Row_Max; ++row) {
        Gam_Torpedo[0][row][Leftward] = 0;
        Gam_Torpedo[Col_Max - 1][row][Rightward] = 0;
    }
    // Sweeping with the direction of travel moves each torpedo exactly one column.
    for (int col = 1; col < Col_Max; ++col)
        for (int row = 0; row < Row_Max; ++row)
            if (Gam_Torpedo[col][row][Leftward]) {
                Gam_Torpedo[col][row][Leftward] = 0;
                Gam_Torpedo[col - 1][row][Leftward] = 1;
            }
    for (int col = Col_Max - 2; col >= 0; --col)
        for (int row = 0; row < Row_Max; ++row)
            if (Gam_Torpedo[col][row][Rightward]) {
                Gam_Torpedo[col][row][Rightward] = 0;
                Gam_Torpedo[col + 1][row][Rightward] = 1;
            }
}

void GameRules::Gam_Step_Submarine()
{
    for (;;) {
        switch (Gam_Random.Random(3)) {
        case 0:
            Gam_Sub_Col += Gam_Sub_Col < Gam_Sub_Target ? 1 : -1;
            return;
        case 1:
            if (Gam_Sub_Row > Row_Min) {
                --Gam_Sub_Row;
                return;
            }
            break;
        default:
            if (Gam_Sub_Row < Row_Max) {
                ++Gam_Sub_Row;
                return;
            }
            break;
        }
    }
}

bool GameRules::Gam_Row_Clear() const
{
    if (Gam_Ship_Row != Gam_Sub_Row)
        return true;
    // The submarine never fires into a torpedo of its own row coming the other way.
    int blockingDirection;
    if (Gam_Ship_Col < Gam_Sub_Col)
        blockingDirection = Rightward;
    else if (Gam_Ship_Col > Gam_Sub_Col)
        blockingDirection = Leftward;
    else
        return true;
    for (int col = 0; col < Col_Max; ++col)
        if (Gam_Torpedo[col][Gam_Sub_Row - 1][blockingDirection])
            return false;
    return true;
}

void GameRules::Timer_GameTimer()
{
    if (Gam_Phase == 1)
        Gam_Move_Torpedoes();

    bool sonar = false;
    const int distance = Gam_Ship_Col - Gam_Sub_Col;
    if (Gam_Phase == 1) {
        sonar = distance >= -1 && distance <= 1;
    } else if (Gam_Phase == 2 && distance == 0) {
        sonar = true;
        Gam_Sub_Target = 7;
    }

    if (++Gam_Phase == 3)
        Gam_Phase = 1;

    if (Gam_Sub_Clock == 1)
        Gam_Step_Submarine();
    if (++Gam_Sub_Clock == 9)
        Gam_Sub_Clock = 1;

    const bool rowClear = Gam_Row_Clear();
    if (!sonar && Gam_Launch_Clock == 1 && Gam_Sub_Row == Gam_Ship_Row && rowClear) {
        const int direction = Gam_Sub_Col > Gam_Ship_Col ? Leftward : Rightward;
        Gam_Torpedo[Gam_Sub_Col - 1][Gam_Sub_Row - 1][direction] = 1;
    }
    if (++Gam_Launch_Clock == 5)
        Gam_Launch_Clock = 1;

    Vid_Show_Torpedo_Flags();
    Gam_Check_Collision();

    // These two run even when the collision has just ended the game.
    if (Gam_Sub_Col == Gam_Sub_Target)
        Gam_Sub_Target = Gam_Sub_Target == 1 ? 7 : 1;
    if (sonar)
        Sound.Snd_Play(SoundRequests::Sample::Sonar);
}

void GameRules::Gam_Resolve_Shot()
{
    Gam_Stop_All_Timers();
    Sound.Snd_Silence();
    Gam_Running = false;
    Vid_Show_Panel_Score(Gam_Score, false);
    Vid_Show_All_Torpedo(Display, false);  // the flags stay for the end of the pause
    --Gam_Shots_Left;

    if (Gam_Sub_Col == Gam_Ship_Col && Gam_Sub_Row == Gam_Ship_Row) {
        Gam_Score += Gam_Hit_Value;
        if (Gam_Sub_Col >= 5) {
            Gam_Sub_Col = 1;
            Gam_Sub_Target = 7;
        } else {
            Gam_Sub_Col = 7;
            Gam_Sub_Target = 1;
        }
        Gam_Sub_Row = 2;
        Sound.Snd_Play(SoundRequests::Sample::Hit);
        Gam_Hit_Value = 5;
        Timer_Reprise.setInterval(Reprise_After_Hit);
    } else {
        switch (Gam_Hit_Value) {
        case 2: Gam_Hit_Value = 1; break;
        case 3: Gam_Hit_Value = 2; break;
        case 5: Gam_Hit_Value = 3; break;
        default: break;
        }
        Sound.Snd_Play(SoundRequests::Sample::Missed);
        Timer_Reprise.setInterval(Reprise_After_Miss);
    }
    Timer_Reprise.setEnabled(true);
}

void GameRules::Timer_RepriseTimer()
{
    if (Gam_Shots_Left < 1) {
        // The panel stays blank and the torpedoes hidden until the final score.
        Gam_Over_Step = 1;
        Timer_Game_Over.setInterval(Game_Over_First);
        Timer_Game_Over.setEnabled(true);
    } else {
        Vid_Show_Panel_Score(Gam_Score, true);
        Vid_Show_Torpedo_Flags();
        Gam_Running = true;
        // The three tick counters carry on where they stood.
        Timer_Game.setInterval(Tick_Interval);
        Timer_Game.setEnabled(true);
    }
    Timer_Reprise.setEnabled(false);
}

void GameRules::Timer_Game_OverTimer()
{
    switch (Gam_Over_Step) {
    case 1:
        Sound.Snd_Play(SoundRequests::Sample::GameOver);
        Timer_Game_Over.setInterval(Game_Over_Score_Delay);
        break;
    case 2:
        Vid_Show_Panel_Score(Gam_Score, true);
        Timer_Game_Over.setEnabled(false);
        break;
    default:
        break;
    }
    ++Gam_Over_Step;
}

}  // namespace fathomer

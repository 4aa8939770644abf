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
      Sound(sound) {}

void GameRules::Vid_Show_Ship(bool show) {
    fathomer::Vid_Show_Ship(Display, {State.Gam_Ship_Col, State.Gam_Ship_Row}, show);
}

void GameRules::Vid_Show_Panel_Score(int &value, bool show) { fathomer::Vid_Show_Panel_Score(Display, value, show); }

bool GameRules::torpedoAt(int col, int row) const {
    const std::uint8_t *flags = State.Gam_Torpedo[col - 1][row - 1];
    return flags[Leftward] != 0 || flags[Rightward] != 0;
}

void GameRules::Vid_Show_Torpedo_Flags() {
    for (int col = Col_Min; col <= Col_Max; ++col)
        for (int row = Row_Min; row <= Row_Max; ++row) Display.setTorpedoLit({col, row}, torpedoAt(col, row));
}

void GameRules::Gam_Stop_All_Timers() {
    Timer_Game.setEnabled(false);
    Timer_Game_Over.setEnabled(false);
    Timer_Reprise.setEnabled(false);
}

void GameRules::Gam_Set_Mode() {
    if (State.Power_On == 0) {
        Gam_Stop_All_Timers();
        Sound.Snd_Silence();
        State.Gam_Running = false;
        Vid_Show_All_Ship(Display, false);
        Vid_Show_All_Torpedo(Display, false);
        int blank = 0;  // blanks the panel without touching the score
        Vid_Show_Panel_Score(blank, false);
    } else if (State.Power_On == 1) {
        // Power-on always follows a power-off, which has already hidden everything.
        State.Gam_Score = 0;
        Vid_Show_Panel_Score(State.Gam_Score, true);
        State.Gam_Hit_Value = 5;
        State.Gam_Shots_Left = Shots_Per_Game;
        State.Gam_Ship_Col = 4;
        State.Gam_Ship_Row = 2;
        Vid_Show_Ship(true);
        State.Gam_Sub_Col = 7;
        State.Gam_Sub_Row = 1;
        State.Gam_Sub_Target = 1;
        for (auto &column : State.Gam_Torpedo)
            for (auto &cell : column) cell[Leftward] = cell[Rightward] = 0;
        State.Gam_Running = true;
        State.Gam_Phase = 1;
        State.Gam_Sub_Clock = 1;
        State.Gam_Launch_Clock = 1;
        Timer_Game.setInterval(Tick_Interval);
        Timer_Game.setEnabled(true);
    }
}

void GameRules::Gam_Switch_Power() {
    State.Power_On = State.Power_On == 0 ? 1 : 0;
    Gam_Set_Mode();
}

void GameRules::Gam_Power_Off() {
    State.Power_On = 0;
    Gam_Set_Mode();
}

bool GameRules::Gam_Move_Ship(int dCol, int dRow) {
    const int col = State.Gam_Ship_Col + dCol;
    const int row = State.Gam_Ship_Row + dRow;
    const bool onField = col >= Col_Min && col <= Col_Max && row >= Row_Min && row <= Row_Max;
    if (State.Power_On != 1 || !State.Gam_Running || !onField) return false;
    Vid_Show_Ship(false);
    State.Gam_Ship_Col = col;
    State.Gam_Ship_Row = row;
    Vid_Show_Ship(true);
    Gam_Check_Collision();
    return true;
}

bool GameRules::Gam_Fire() {
    if (State.Power_On != 1 || !State.Gam_Running) return false;
    Gam_Resolve_Shot();
    return true;
}

void GameRules::Gam_Check_Collision() {
    if (!Display.torpedoLit({State.Gam_Ship_Col, State.Gam_Ship_Row})) return;
    Gam_Stop_All_Timers();
    Sound.Snd_Silence();
    State.Gam_Running = false;
    Vid_Show_Panel_Score(State.Gam_Score, false);
    Vid_Show_All_Torpedo(Display, false);  // the ship stays lit
    State.Gam_Over_Step = 1;
    Timer_Game_Over.setInterval(Game_Over_First);
    Timer_Game_Over.setEnabled(true);
}

void GameRules::Gam_Move_Torpedoes() {
    for (int row = 0; row < Row_Max; ++row) {
        State.Gam_Torpedo[0][row][Leftward] = 0;
        State.Gam_Torpedo[Col_Max - 1][row][Rightward] = 0;
    }
    // Sweeping with the direction of travel moves each torpedo exactly one column.
    for (int col = 1; col < Col_Max; ++col)
        for (int row = 0; row < Row_Max; ++row)
            if (State.Gam_Torpedo[col][row][Leftward]) {
                State.Gam_Torpedo[col][row][Leftward] = 0;
                State.Gam_Torpedo[col - 1][row][Leftward] = 1;
            }
    for (int col = Col_Max - 2; col >= 0; --col)
        for (int row = 0; row < Row_Max; ++row)
            if (State.Gam_Torpedo[col][row][Rightward]) {
                State.Gam_Torpedo[col][row][Rightward] = 0;
                State.Gam_Torpedo[col + 1][row][Rightward] = 1;
            }
}

void GameRules::Gam_Step_Submarine() {
    for (;;) {
        switch (Gam_Random.Random(3)) {
        case 0: State.Gam_Sub_Col += State.Gam_Sub_Col < State.Gam_Sub_Target ? 1 : -1; return;
        case 1:
            if (State.Gam_Sub_Row > Row_Min) {
                --State.Gam_Sub_Row;
                return;
            }
            break;
        default:
            if (State.Gam_Sub_Row < Row_Max) {
                ++State.Gam_Sub_Row;
                return;
            }
            break;
        }
    }
}

bool GameRules::Gam_Row_Clear() const {
    if (State.Gam_Ship_Row != State.Gam_Sub_Row) return true;
    // The submarine never fires into a torpedo of its own row coming the other way.
    int blockingDirection;
    if (State.Gam_Ship_Col < State.Gam_Sub_Col)
        blockingDirection = Rightward;
    else if (State.Gam_Ship_Col > State.Gam_Sub_Col)
        blockingDirection = Leftward;
    else
        return true;
    for (int col = 0; col < Col_Max; ++col)
        if (State.Gam_Torpedo[col][State.Gam_Sub_Row - 1][blockingDirection]) return false;
    return true;
}

void GameRules::Timer_GameTimer() {
    if (State.Gam_Phase == 1) Gam_Move_Torpedoes();

    bool sonar = false;
    const int distance = State.Gam_Ship_Col - State.Gam_Sub_Col;
    if (State.Gam_Phase == 1) {
        sonar = distance >= -1 && distance <= 1;
    } else if (State.Gam_Phase == 2 && distance == 0) {
        sonar = true;
        State.Gam_Sub_Target = 7;
    }

    if (++State.Gam_Phase == 3) State.Gam_Phase = 1;

    if (State.Gam_Sub_Clock == 1) Gam_Step_Submarine();
    if (++State.Gam_Sub_Clock == 9) State.Gam_Sub_Clock = 1;

    const bool rowClear = Gam_Row_Clear();
    if (!sonar && State.Gam_Launch_Clock == 1 && State.Gam_Sub_Row == State.Gam_Ship_Row && rowClear) {
        const int direction = State.Gam_Sub_Col > State.Gam_Ship_Col ? Leftward : Rightward;
        State.Gam_Torpedo[State.Gam_Sub_Col - 1][State.Gam_Sub_Row - 1][direction] = 1;
    }
    if (++State.Gam_Launch_Clock == 5) State.Gam_Launch_Clock = 1;

    Vid_Show_Torpedo_Flags();
    Gam_Check_Collision();

    // These two run even when the collision has just ended the game.
    if (State.Gam_Sub_Col == State.Gam_Sub_Target) State.Gam_Sub_Target = State.Gam_Sub_Target == 1 ? 7 : 1;
    if (sonar) Sound.Snd_Play(SoundRequests::Sample::Sonar);
}

void GameRules::Gam_Resolve_Shot() {
    Gam_Stop_All_Timers();
    Sound.Snd_Silence();
    State.Gam_Running = false;
    Vid_Show_Panel_Score(State.Gam_Score, false);
    Vid_Show_All_Torpedo(Display, false);  // the flags stay for the end of the pause
    --State.Gam_Shots_Left;

    if (State.Gam_Sub_Col == State.Gam_Ship_Col && State.Gam_Sub_Row == State.Gam_Ship_Row) {
        State.Gam_Score += State.Gam_Hit_Value;
        if (State.Gam_Sub_Col >= 5) {
            State.Gam_Sub_Col = 1;
            State.Gam_Sub_Target = 7;
        } else {
            State.Gam_Sub_Col = 7;
            State.Gam_Sub_Target = 1;
        }
        State.Gam_Sub_Row = 2;
        Sound.Snd_Play(SoundRequests::Sample::Hit);
        State.Gam_Hit_Value = 5;
        Timer_Reprise.setInterval(Reprise_After_Hit);
    } else {
        switch (State.Gam_Hit_Value) {
        case 2: State.Gam_Hit_Value = 1; break;
        case 3: State.Gam_Hit_Value = 2; break;
        case 5: State.Gam_Hit_Value = 3; break;
        default: break;
        }
        Sound.Snd_Play(SoundRequests::Sample::Missed);
        Timer_Reprise.setInterval(Reprise_After_Miss);
    }
    Timer_Reprise.setEnabled(true);
}

void GameRules::Timer_RepriseTimer() {
    if (State.Gam_Shots_Left < 1) {
        // The panel stays blank and the torpedoes hidden until the final score.
        State.Gam_Over_Step = 1;
        Timer_Game_Over.setInterval(Game_Over_First);
        Timer_Game_Over.setEnabled(true);
    } else {
        Vid_Show_Panel_Score(State.Gam_Score, true);
        Vid_Show_Torpedo_Flags();
        State.Gam_Running = true;
        // The three tick counters carry on where they stood.
        Timer_Game.setInterval(Tick_Interval);
        Timer_Game.setEnabled(true);
    }
    Timer_Reprise.setEnabled(false);
}

void GameRules::Timer_Game_OverTimer() {
    switch (State.Gam_Over_Step) {
    case 1:
        Sound.Snd_Play(SoundRequests::Sample::GameOver);
        Timer_Game_Over.setInterval(Game_Over_Score_Delay);
        break;
    case 2:
        Vid_Show_Panel_Score(State.Gam_Score, true);
        Timer_Game_Over.setEnabled(false);
        break;
    default: break;
    }
    ++State.Gam_Over_Step;
}

}  // namespace fathomer

#pragma once

#include <QtGlobal>

namespace fathomer {

// The game's globals as the rules leave them. Everyone may read them; only GameRules changes
// them, so that every change goes through a rule. Zero at program start; columns count 1..7 and
// rows 1..3 as on the device.
struct GameState {
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
};

}  // namespace fathomer

#pragma once

#include <cstdint>

namespace fathomer {

// The game's globals as the rules leave them. Everyone may read them; only GameRules changes
// them, so that every change goes through a rule. Zero at program start; columns count 1..7 and
// rows 1..3 as on the device.
struct GameState {
    std::int32_t Power_On = 0;  // 0 off, 1 on
    bool Gam_Running = false;
    std::int32_t Gam_Score = 0;
    std::int32_t Gam_Hit_Value = 0;
    std::int32_t Gam_Shots_Left = 0;
    std::int32_t Gam_Ship_Col = 0;
    std::int32_t Gam_Ship_Row = 0;
    std::int32_t Gam_Sub_Col = 0;
    std::int32_t Gam_Sub_Row = 0;
    std::int32_t Gam_Sub_Target = 0;
    // [column - 1][row - 1][direction]; a flag is 0 or 1.
    std::uint8_t Gam_Torpedo[7][3][2] = {};
    std::int32_t Gam_Phase = 0;
    std::int32_t Gam_Sub_Clock = 0;
    std::int32_t Gam_Launch_Clock = 0;
    std::int32_t Gam_Over_Step = 0;
};

}  // namespace fathomer

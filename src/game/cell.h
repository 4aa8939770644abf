#pragma once

#include <array>

// A cell of the LED playfield and the one order in which tables of cells are stored.

namespace fathomer {

inline constexpr int Vid_Columns = 7;
inline constexpr int Vid_Rows = 3;
inline constexpr int Vid_Cells = Vid_Columns * Vid_Rows;

// Column 1..7 from the left, row 1..3 from the top, as the device counts them.
struct Cell {
    int col;
    int row;
    friend constexpr bool operator==(Cell, Cell) = default;
};

// Index of a cell in a table of the 21 cells (Vid_Ship_Table, Vid_Torpedo_Table, a display's
// record of them): column by column, rows fastest. The only place that order is written.
constexpr int Vid_Cell_Index(Cell cell) { return (cell.col - 1) * Vid_Rows + (cell.row - 1); }

// Every cell in table order, for the operations that set all 21 LEDs.
inline constexpr std::array<Cell, Vid_Cells> Vid_All_Cells = [] {
    std::array<Cell, Vid_Cells> cells{};
    for (int col = 1; col <= Vid_Columns; ++col)
        for (int row = 1; row <= Vid_Rows; ++row) cells[Vid_Cell_Index({col, row})] = {col, row};
    return cells;
}();

}  // namespace fathomer

#pragma once
// The grid panel's arithmetic: its column and row counts, the size of its
// cell template, each cell's rectangle and the order the cells are visited.
#include "core/report/ReportGeometry.h"

#include <cstdint>
#include <vector>

enum class TPrintDirection { pdHorz, pdVert, pdHolz };  // pdHolz behaves as pdHorz

// Cells narrower or lower than this are refused.
inline constexpr int32_t kMinGridCell = 10;

// A count must be positive and leave cells of at least 10 units (side div
// count); otherwise ELRError with the column or row message.
void CheckColCount(int32_t count, int32_t gridWidth);
void CheckRowCount(int32_t count, int32_t gridHeight);

// The cell template fills the grid's first cell.
TLRSize GridCellSize(TLRSize grid, int32_t colCount, int32_t rowCount);

// The rectangle of cell (col, row) of a grid printed at `grid`: its
// top-left at trunc(col x width / ColCount), trunc(row x height / RowCount)
// from the grid's, the template's size.
TLRRect GridCellRect(TLRRect grid, int32_t col, int32_t row, int32_t colCount, int32_t rowCount,
                     TLRSize cellTemplate);

struct TGridCell {
    int32_t Col = 0, Row = 0;
    bool operator==(const TGridCell&) const = default;
};
// The cells in the order they are printed: column by column for pdVert,
// otherwise row by row.
std::vector<TGridCell> GridVisitOrder(int32_t colCount, int32_t rowCount, TPrintDirection direction);

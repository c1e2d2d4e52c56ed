#include "core/report/ReportGrid.h"

#include "core/report/ReportErrors.h"

namespace {

bool CountFits(int32_t count, int32_t side) { return count > 0 && side / count >= kMinGridCell; }

} // namespace

void CheckColCount(int32_t count, int32_t gridWidth)
{
    if (!CountFits(count, gridWidth)) throw ELRError(kLRBadColCount);
}

void CheckRowCount(int32_t count, int32_t gridHeight)
{
    if (!CountFits(count, gridHeight)) throw ELRError(kLRBadRowCount);
}

TLRSize GridCellSize(TLRSize grid, int32_t colCount, int32_t rowCount)
{
    return {colCount > 0 ? grid.Width / colCount : 0, rowCount > 0 ? grid.Height / rowCount : 0};
}

TLRRect GridCellRect(TLRRect grid, int32_t col, int32_t row, int32_t colCount, int32_t rowCount,
                     TLRSize cellTemplate)
{
    // In 64 bits: a product of a cell number and a side may pass 32.
    const int32_t left = grid.Left + int32_t(int64_t(col) * grid.Width() / colCount);
    const int32_t top = grid.Top + int32_t(int64_t(row) * grid.Height() / rowCount);
    return LRBounds(left, top, cellTemplate.Width, cellTemplate.Height);
}

std::vector<TGridCell> GridVisitOrder(int32_t colCount, int32_t rowCount, TPrintDirection direction)
{
    std::vector<TGridCell> cells;
    if (colCount <= 0 || rowCount <= 0) return cells;
    cells.reserve(size_t(colCount) * size_t(rowCount));
    if (direction == TPrintDirection::pdVert) {
        for (int32_t c = 0; c < colCount; ++c)
            for (int32_t r = 0; r < rowCount; ++r) cells.push_back({c, r});
    } else {
        for (int32_t r = 0; r < rowCount; ++r)
            for (int32_t c = 0; c < colCount; ++c) cells.push_back({c, r});
    }
    return cells;
}

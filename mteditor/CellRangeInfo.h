#pragma once

#include "numeric/Matrix.h"

#include <cstdint>

namespace orvanta {

// One rectangular block of grid values kept for undo. A record whose Cells
// has no rows or no columns is a single cell at (Col, Row) holding Value;
// otherwise grid cell (c, r) is Cells(r - Row, c - Col).
class TCellRangeInfo {
public:
    std::int32_t Col = 0;
    std::int32_t Row = 0;
    TMatrix Cells;
    double Value = 0.0;

    bool IsSingleCell() const { return Cells.RowCount() == 0 || Cells.ColCount() == 0; }
    // The grid rectangle the record covers (inclusive edges).
    std::int32_t Right() const { return IsSingleCell() ? Col : Col + Cells.ColCount() - 1; }
    std::int32_t Bottom() const { return IsSingleCell() ? Row : Row + Cells.RowCount() - 1; }
};

} // namespace orvanta

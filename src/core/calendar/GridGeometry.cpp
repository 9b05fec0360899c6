#include "core/calendar/GridGeometry.h"

#include <algorithm>

namespace zorvex {

int GridGeometry::columnWidth() const
{
    return std::max(0, (m_width - (kColumns - 1) * m_lineWidth) / kColumns);
}

int GridGeometry::rowHeight() const
{
    return std::max(0, (m_height - (kRows - 1) * m_lineWidth) / kRows);
}

GridCell GridGeometry::cellAt(int x, int y) const
{
    const int cw = columnPitch();
    const int rh = rowPitch();
    if (cw <= 0 || rh <= 0 || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return {};
    const int column = x / cw;
    const int row = y / rh;
    if (column >= kColumns || row >= kRows)
        return {};
    return {column, row};
}

} // namespace zorvex

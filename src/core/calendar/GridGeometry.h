#pragma once

namespace zorvex {

// A cell of the month grid: column 0-6, row 0 the weekday names, rows 1-6
// the weeks. Both -1 for a point outside the grid.
struct GridCell {
    int column = -1;
    int row = -1;
    bool isValid() const { return column >= 0 && row >= 0; }
    friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The grid's cell geometry, also the hit-test geometry of the drawn month:
// seven columns and seven rows share the control's size after the six grid
// lines between them. The main window's 147 x 97 control with 1-pixel lines
// gives 20 x 13 cells on a 21 x 14 pitch.
class GridGeometry {
public:
    static constexpr int kColumns = 7;
    static constexpr int kRows = 7;

    constexpr GridGeometry() = default;
    constexpr GridGeometry(int width, int height, int lineWidth)
        : m_width(width)
        , m_height(height)
        , m_lineWidth(lineWidth)
    {
    }

    int width() const { return m_width; }
    int height() const { return m_height; }
    int lineWidth() const { return m_lineWidth; }
    int columnWidth() const;
    int rowHeight() const;
    int columnPitch() const { return columnWidth() + m_lineWidth; }
    int rowPitch() const { return rowHeight() + m_lineWidth; }

    // The cell under a point in control coordinates; a grid line belongs to
    // the cell on its left (above it). Points off the control give no cell.
    GridCell cellAt(int x, int y) const;

private:
    int m_width = 147;
    int m_height = 97;
    int m_lineWidth = 1;
};

} // namespace zorvex

#pragma once

#include <QPoint>

#include <optional>
#include <vector>

namespace zorvex {

// The month charts of the running time, the mouse travel and the traffic
// share one picture: a 64-pixel margin at the left, 47 pixels of labels
// under the plot, one 11-pixel column per day and 216 pixels for the
// largest value (or 24 hours at 9 pixels an hour).
namespace monthchart {

inline constexpr int kLeftMargin = 64;
inline constexpr int kBottomMargin = 47;
inline constexpr int kColumnWidth = 11;
inline constexpr int kFullHeight = 216;
inline constexpr int kPixelsPerHour = 9;
inline constexpr int kGridX = 10;
inline constexpr int kGridY = 9;

// Left edge of day d's column (d from 1).
constexpr int columnLeft(int day) { return kLeftMargin + 10 * day - 9; }
constexpr int plotWidth(int imageWidth) { return imageWidth - kLeftMargin; }
constexpr int plotHeight(int imageHeight) { return imageHeight - kBottomMargin; }

// The bar of a value against the month's largest day: 216 pixels for the
// largest, 0 when the month has nothing.
int barHeight(qint64 value, qint64 largest);

// Pixels above the plot's bottom for a time of day in seconds (9 an hour).
int timeHeight(qint64 secondsOfDay);

// The day column under the pointer (x >= 67, y <= 217), or nothing.
std::optional<int> columnAt(const QPoint& p);

// Left-axis labels for i = 2, 4 ... 22: (24 - i) / 24 of the largest value,
// drawn 9 * i pixels below the plot's top.
struct AxisLabel {
    int i = 0;
    double value = 0;
};
std::vector<AxisLabel> axisLabels(double largest);

// Day numbers under the plot: 2, 4 ... 30.
std::vector<int> dayLabels();

} // namespace monthchart

// A hint appears when the pointer moves within one column: the first move
// into a column only remembers it (and hides a shown hint), the next move in
// the same column shows that day's hint.
class ChartHintTracker {
public:
    // The day whose hint to show, or nothing (no hint). Days beyond
    // `daysInMonth` have no hint.
    std::optional<int> move(const QPoint& p, int daysInMonth);
    void reset() { m_column.reset(); }

private:
    std::optional<int> m_column;
};

} // namespace zorvex

#include "core/status/MonthChart.h"

#include <cmath>

namespace zorvex {
namespace monthchart {

int barHeight(qint64 value, qint64 largest)
{
    if (largest <= 0 || value <= 0)
        return 0;
    return int(std::lround(double(value) / double(largest) * kFullHeight));
}

int timeHeight(qint64 secondsOfDay)
{
    return int(std::lround(double(secondsOfDay) * kPixelsPerHour / 3600.0));
}

std::optional<int> columnAt(const QPoint& p)
{
    if (p.x() < 67 || p.y() > 217)
        return std::nullopt;
    return (p.x() - 66) / 10 + 1;
}

std::vector<AxisLabel> axisLabels(double largest)
{
    std::vector<AxisLabel> labels;
    for (int i = 2; i <= 22; i += 2)
        labels.push_back({i, (24 - i) / 24.0 * largest});
    return labels;
}

std::vector<int> dayLabels()
{
    std::vector<int> days;
    for (int d = 2; d <= 30; d += 2)
        days.push_back(d);
    return days;
}

} // namespace monthchart

std::optional<int> ChartHintTracker::move(const QPoint& p, int daysInMonth)
{
    const std::optional<int> column = monthchart::columnAt(p);
    if (column != m_column) {
        m_column = column;
        return std::nullopt;
    }
    if (!column || *column < 1 || *column > daysInMonth)
        return std::nullopt;
    return column;
}

} // namespace zorvex

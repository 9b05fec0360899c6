#pragma once

#include "core/status/GaugeLevels.h"

#include <QString>

#include <array>
#include <vector>

namespace zorvex {

// The last minute of processor, RAM and swap percentages for the charts
// page "Wykresy", newest first, one entry a second.
class UsageHistory {
public:
    static constexpr int kLength = 62;
    using Series = std::array<int, kLength>;

    void step(int cpu, int ram, int swap);
    void clear();

    const Series& cpu() const { return m_cpu; }
    const Series& ram() const { return m_ram; }
    const Series& swap() const { return m_swap; }

private:
    Series m_cpu{};
    Series m_ram{};
    Series m_swap{};
};

// The drawing of one chart of "Wykresy": the plot runs from x = 64 to the
// right edge and from y = 0 to the picture's height - 23.
namespace usagechart {

enum class Kind { Cpu, Ram, Swap };

struct Bar {
    int left = 0;
    int right = 0;
    int height = 0; // pixels up from the plot's bottom (100 % = 80)
    GaugeLevel level = GaugeLevel::Green;
};

// `showsFree` matters for RAM and swap: free amounts are coloured by how
// little is left, used ones by how much is taken.
std::vector<Bar> bars(const UsageHistory::Series& values, Kind kind, bool showsFree, bool runsLeft);

struct Tick {
    int x = 0;
    QString text;
};
// The seconds under the plot, ticks at x = 10i + 62 for i = 2, 4 ... 30.
std::vector<Tick> timeAxis(bool runsLeft);
// The three labels for y = 21, 41, 61: "75", "50", "25" for the processor,
// three quarters, a half and a quarter of `totalMb` for memory.
std::array<QString, 3> valueAxis(Kind kind, qint64 totalMb);
// "Użycie [%]", "Wolne [MB]", "Zajęte [MB]".
QString axisTitle(Kind kind, bool showsFree);
// The group caption over the chart.
QString caption(Kind kind, bool showsFree);

} // namespace usagechart

} // namespace zorvex

#pragma once

#include "core/status/CpuUsage.h"
#include "core/status/GaugeLevels.h"
#include "core/status/StatusSources.h"
#include "core/status/UsageHistory.h"

#include <QString>

#include <array>
#include <optional>

namespace zorvex {

// The kinds of the information panel's rows, as P1..P3 name them.
enum class GaugeKind { Ram = 1, Swap = 2, Cpu = 3 };

struct GaugeOptions {
    std::array<int, 3> rows{1, 2, 3}; // P1..P3
    bool ramShowsFree = true;         // PanelRamW
    bool swapShowsFree = false;       // PanelSwapW
    bool shaded = true;               // PaskiCien
    bool upperShown = true;           // Panel3: rows 1 and 2
    bool lowerShown = true;           // Panel4: row 3
    bool historyOn = false;           // WykresAkt
    GaugeColours colours;
};

// The row (1-3) of a kind: the first position naming it, else row 1.
int gaugeRowOf(GaugeKind kind, const std::array<int, 3>& rows);
// "RAM", "SWAP", "Użycie procesora".
QString gaugeKindName(GaugeKind kind);
// The captions of the two panel check boxes: the first two kind names and
// ", Dyski twarde"; the third and, with the transfer box, ", Transfer".
QString upperGroupCaption(const std::array<int, 3>& rows);
QString lowerGroupCaption(const std::array<int, 3>& rows, bool transferShown);

// One gauge row as the panel draws it.
struct GaugeRow {
    QString label; // the number over the bar
    QString hint;
    int progress = 0;
    int max = 100;
    GaugeLook look;

    friend bool operator==(const GaugeRow&, const GaugeRow&) = default;
};

// The RAM, swap and processor rows. Samples change a row only when a value
// or a level class it shows changes, and say which rows did, so that the
// window repaints only those.
class GaugePanel {
public:
    GaugePanel(MemorySource& memory, CpuTimesSource& cpu);

    // Every option change resets what is remembered, so the next samples
    // fill every row again (RefreshRows). Switching the history off clears it.
    void setOptions(const GaugeOptions& options);
    const GaugeOptions& options() const { return m_options; }

    // Bit r-1 set for each row r that changed.
    unsigned sampleMemory();
    unsigned sampleCpu();

    const GaugeRow& row(int r) const { return m_rows[qBound(1, r, 3) - 1]; }
    std::optional<MemoryStatus> memory() const { return m_memory; }
    std::optional<double> cpuUse() const { return m_cpu; }
    std::optional<int> cpuPercent() const;
    const UsageHistory& history() const { return m_history; }

    // The RAM class from the free share, the swap class from the used share
    // (whichever amount their rows show). No swap reads as 0 % used.
    static GaugeLevel ramLevel(const MemoryFigures& ram);
    static GaugeLevel swapLevel(const MemoryFigures& swap);
    // The percentage a row shows (free or used), for the history.
    static int shownPercent(const MemoryFigures& m, bool isRam, bool showsFree);

private:
    bool rowShown(int r) const;
    GaugeLook memoryLook(GaugeLevel level, bool showsFree) const;
    unsigned setRow(int r, const GaugeRow& value);
    unsigned setMemoryRow(int r, qint64 shownMb, qint64 totalBytes, const QString& hint, qint64 hintMb);

    MemorySource& m_memorySource;
    CpuTimesSource& m_cpuSource;
    GaugeOptions m_options;
    std::array<GaugeRow, 3> m_rows;
    std::optional<MemoryStatus> m_memory;
    std::optional<double> m_cpu;
    CpuUsage m_cpuUsage;
    UsageHistory m_history;
    // Remembered values; empty forces the row's next refresh.
    std::optional<qint64> m_ramFreeMb;
    std::optional<qint64> m_swapUsedMb;
    std::optional<GaugeLevel> m_ramLevel;
    std::optional<GaugeLevel> m_swapLevel;
};

} // namespace zorvex

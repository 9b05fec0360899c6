#include "core/status/GaugePanel.h"

#include <cmath>

namespace zorvex {

int gaugeRowOf(GaugeKind kind, const std::array<int, 3>& rows)
{
    for (int i = 0; i < 3; ++i) {
        if (rows[i] == int(kind))
            return i + 1;
    }
    return 1;
}

QString gaugeKindName(GaugeKind kind)
{
    switch (kind) {
    case GaugeKind::Ram:
        return QStringLiteral("RAM");
    case GaugeKind::Swap:
        return QStringLiteral("SWAP");
    case GaugeKind::Cpu:
        break;
    }
    return QStringLiteral("Użycie procesora");
}

namespace {

QString kindNameAt(const std::array<int, 3>& rows, int i)
{
    const int k = rows[i];
    return k >= 1 && k <= 3 ? gaugeKindName(GaugeKind(k)) : QString();
}

qint64 mb(qint64 bytes)
{
    return bytes / kBytesPerMb;
}

int percentOf(qint64 part, qint64 whole)
{
    return whole > 0 ? int(double(part) / double(whole) * 100.0) : 0;
}

} // namespace

QString upperGroupCaption(const std::array<int, 3>& rows)
{
    return kindNameAt(rows, 0) + QStringLiteral(", ") + kindNameAt(rows, 1) + QStringLiteral(", Dyski twarde");
}

QString lowerGroupCaption(const std::array<int, 3>& rows, bool transferShown)
{
    return kindNameAt(rows, 2) + (transferShown ? QStringLiteral(", Transfer") : QString());
}

GaugePanel::GaugePanel(MemorySource& memory, CpuTimesSource& cpu)
    : m_memorySource(memory)
    , m_cpuSource(cpu)
{
}

void GaugePanel::setOptions(const GaugeOptions& options)
{
    if (!options.historyOn)
        m_history.clear();
    m_options = options;
    m_ramFreeMb.reset();
    m_swapUsedMb.reset();
    m_ramLevel.reset();
    m_swapLevel.reset();
}

std::optional<int> GaugePanel::cpuPercent() const
{
    return m_cpu ? std::optional<int>(int(std::lround(*m_cpu))) : std::nullopt;
}

GaugeLevel GaugePanel::ramLevel(const MemoryFigures& ram)
{
    return freeLevel(percentOf(mb(ram.available), mb(ram.total)));
}

GaugeLevel GaugePanel::swapLevel(const MemoryFigures& swap)
{
    return usedLevel(percentOf(mb(swap.total - swap.available), mb(swap.total)));
}

int GaugePanel::shownPercent(const MemoryFigures& m, bool isRam, bool showsFree)
{
    const qint64 shown = isRam ? ramShownMb(m, showsFree) : swapShownMb(m, showsFree);
    const qint64 total = mb(m.total);
    return int(std::lround(double(shown) / double(total > 0 ? total : 1) * 100.0));
}

bool GaugePanel::rowShown(int r) const
{
    return r == 3 ? m_options.lowerShown : m_options.upperShown;
}

GaugeLook GaugePanel::memoryLook(GaugeLevel level, bool showsFree) const
{
    const GaugeColours& c = m_options.colours;
    GaugeLook look;
    look.background = c.background;
    look.median = c.yellow;
    if (m_options.shaded) {
        look.fill = showsFree ? c.red : c.green;
        look.gradient = showsFree ? c.green : c.red;
        look.gradientFill = true;
    } else {
        look.fill = c.of(level);
        look.gradientFill = false;
    }
    return look;
}

unsigned GaugePanel::setRow(int r, const GaugeRow& value)
{
    GaugeRow& row = m_rows[r - 1];
    if (row == value)
        return 0;
    row = value;
    return 1u << (r - 1);
}

unsigned GaugePanel::setMemoryRow(int r, qint64 shownMb, qint64 totalBytes, const QString& hint, qint64 hintMb)
{
    GaugeRow v = m_rows[r - 1];
    v.label = QString::number(shownMb);
    v.max = int(mb(totalBytes));
    v.progress = int(shownMb);
    v.hint = hint + QString::number(hintMb) + QStringLiteral(" MB");
    return setRow(r, v);
}

unsigned GaugePanel::sampleMemory()
{
    const std::optional<MemoryStatus> status = m_memorySource.read();
    if (!status)
        return 0;
    m_memory = status;
    const MemoryFigures& ram = status->ram;
    const MemoryFigures& swap = status->swap;
    const int ramRow = gaugeRowOf(GaugeKind::Ram, m_options.rows);
    const int swapRow = gaugeRowOf(GaugeKind::Swap, m_options.rows);
    unsigned changed = 0;

    // Colours: with shaded bars they do not depend on the class, so they
    // are set once after each option change.
    const GaugeLevel rl = ramLevel(ram);
    if (m_options.shaded ? !m_ramLevel : m_ramLevel != rl) {
        m_ramLevel = rl;
        GaugeRow v = m_rows[ramRow - 1];
        v.look = memoryLook(rl, m_options.ramShowsFree);
        changed |= setRow(ramRow, v);
    }
    const GaugeLevel sl = swapLevel(swap);
    if (m_options.shaded ? !m_swapLevel : m_swapLevel != sl) {
        m_swapLevel = sl;
        GaugeRow v = m_rows[swapRow - 1];
        v.look = memoryLook(sl, m_options.swapShowsFree);
        changed |= setRow(swapRow, v);
    }

    // The RAM hint rounds its total up, the swap hint truncates it.
    const qint64 ramFree = mb(ram.available);
    if (m_ramFreeMb != ramFree) {
        m_ramFreeMb = ramFree;
        if (rowShown(ramRow)) {
            changed |= setMemoryRow(ramRow, ramShownMb(ram, m_options.ramShowsFree), ram.total,
                                    m_options.ramShowsFree ? QStringLiteral("Wolne miejsce pamięci RAM z ")
                                                           : QStringLiteral("Zajęte miejsce pamięci RAM z "),
                                    (ram.total + kBytesPerMb - 1) / kBytesPerMb);
        }
    }
    const qint64 swapUsed = mb(swap.total - swap.available);
    if (m_swapUsedMb != swapUsed) {
        m_swapUsedMb = swapUsed;
        if (rowShown(swapRow)) {
            changed |= setMemoryRow(swapRow, swapShownMb(swap, m_options.swapShowsFree), swap.total,
                                    m_options.swapShowsFree ? QStringLiteral("Wolne miejsce pamięci wirtualnej SWAP z ")
                                                            : QStringLiteral("Zajęte miejsce pamięci wirtualnej SWAP z "),
                                    mb(swap.total));
        }
    }
    return changed;
}

unsigned GaugePanel::sampleCpu()
{
    const std::optional<CpuTimes> times = m_cpuSource.read();
    if (!times)
        return 0;
    const std::optional<double> use = m_cpuUsage.update(*times);
    if (!use)
        return 0;
    m_cpu = use;
    const int percent = int(std::lround(*use));
    const int r = gaugeRowOf(GaugeKind::Cpu, m_options.rows);
    GaugeRow v = m_rows[r - 1];
    v.label = QString::number(percent);
    v.hint = QStringLiteral("Użycie procesora [%]");
    v.max = 100;
    v.progress = percent;
    const GaugeColours& c = m_options.colours;
    v.look.background = c.background;
    if (m_options.shaded) {
        v.look.fill = c.green;
        v.look.median = c.yellow;
        v.look.gradient = c.red;
        v.look.gradientFill = true;
    } else {
        v.look.fill = c.of(cpuLevel(percent));
        v.look.gradientFill = false;
    }
    const unsigned changed = setRow(r, v);

    if (m_options.historyOn) {
        const MemoryStatus m = m_memory.value_or(MemoryStatus{});
        m_history.step(percent, shownPercent(m.ram, true, m_options.ramShowsFree),
                       shownPercent(m.swap, false, m_options.swapShowsFree));
    }
    return changed;
}

} // namespace zorvex

#include "core/status/UsageHistory.h"

#include <algorithm>
#include <cmath>

namespace zorvex {

void UsageHistory::step(int cpu, int ram, int swap)
{
    for (Series* s : {&m_cpu, &m_ram, &m_swap})
        std::copy_backward(s->begin(), s->end() - 1, s->end());
    m_cpu[0] = qBound(0, cpu, 100);
    m_ram[0] = qBound(0, ram, 100);
    m_swap[0] = qBound(0, swap, 100);
}

void UsageHistory::clear()
{
    m_cpu.fill(0);
    m_ram.fill(0);
    m_swap.fill(0);
}

namespace usagechart {

std::vector<Bar> bars(const UsageHistory::Series& values, Kind kind, bool showsFree, bool runsLeft)
{
    std::vector<Bar> out;
    out.reserve(values.size());
    for (int i = 1; i <= UsageHistory::kLength; ++i) {
        const int v = values[i - 1];
        Bar b;
        b.left = runsLeft ? 375 - 5 * i : 5 * i + 60;
        b.right = runsLeft ? 381 - 5 * i : 5 * i + 66;
        b.height = int(std::lround(v * 0.8));
        if (kind == Kind::Cpu)
            b.level = cpuLevel(v);
        else
            b.level = showsFree ? freeLevel(v) : usedLevel(v);
        out.push_back(b);
    }
    return out;
}

std::vector<Tick> timeAxis(bool runsLeft)
{
    std::vector<Tick> ticks;
    for (int i = 2; i <= 30; i += 2)
        ticks.push_back({10 * i + 62, QString::number(runsLeft ? 64 - 2 * i : 2 * i)});
    return ticks;
}

std::array<QString, 3> valueAxis(Kind kind, qint64 totalMb)
{
    if (kind == Kind::Cpu)
        return {QStringLiteral("75"), QStringLiteral("50"), QStringLiteral("25")};
    auto part = [totalMb](double f) { return QString::number(std::llround(double(totalMb) * f)); };
    return {part(0.75), part(0.5), part(0.25)};
}

QString axisTitle(Kind kind, bool showsFree)
{
    if (kind == Kind::Cpu)
        return QStringLiteral("Użycie [%]");
    return showsFree ? QStringLiteral("Wolne [MB]") : QStringLiteral("Zajęte [MB]");
}

QString caption(Kind kind, bool showsFree)
{
    switch (kind) {
    case Kind::Cpu:
        return QStringLiteral("Użycie procesora");
    case Kind::Ram:
        return showsFree ? QStringLiteral("Wolne miejsce pamięci RAM") : QStringLiteral("Zajęte miejsce pamięci RAM");
    case Kind::Swap:
        break;
    }
    return showsFree ? QStringLiteral("Wolne miejsce pamięci wirtualnej SWAP")
                     : QStringLiteral("Zajęte miejsce pamięci wirtualnej SWAP");
}

} // namespace usagechart

} // namespace zorvex

#include "core/status/CpuUsage.h"

namespace zorvex {

std::optional<double> CpuUsage::update(const CpuTimes& now)
{
    const std::optional<CpuTimes> previous = m_previous;
    m_previous = now;
    // The kernel's iowait count can step back a little; such a reading
    // would show a false 100 %, so it gives no figure.
    if (!previous || now.total <= previous->total || now.idle < previous->idle)
        return std::nullopt;
    const double total = double(now.total - previous->total);
    const double idle = qMin(double(now.idle - previous->idle), total);
    return qBound(0.0, 100.0 - idle / total * 100.0, 100.0);
}

} // namespace zorvex

#pragma once

#include "core/status/StatusSources.h"

#include <optional>

namespace zorvex {

// Processor use from two readings of the aggregate counters:
// 100 - idle share x 100 of the time between them. The counters already sum
// all processors, so nothing is divided by their number.
class CpuUsage {
public:
    // The use in percent (0-100), or nothing for the first reading and for
    // one that did not move forward (counters read twice within one tick,
    // or restarted, or an idle count that stepped back); that reading
    // becomes the base of the next.
    std::optional<double> update(const CpuTimes& now);
    void reset() { m_previous.reset(); }

private:
    std::optional<CpuTimes> m_previous;
};

} // namespace zorvex

#pragma once

#include "core/app/ProcessPriority.h"

namespace zorvex {

// Nice values: high −5 where permitted, else 0; normal 0; idle 19. Linux
// keeps a nice value per thread, so every thread of the process is set.
// Failures are ignored.
class LinuxPrioritySetter : public PrioritySetter {
public:
    static constexpr int kHighNice = -5;
    static constexpr int kNormalNice = 0;
    static constexpr int kIdleNice = 19;

    void apply(PriorityClass priority) override;
    // Going back from 19 to 0 needs CAP_SYS_NICE or an RLIMIT_NICE of 20.
    bool canLeaveIdle() const override;
};

} // namespace zorvex

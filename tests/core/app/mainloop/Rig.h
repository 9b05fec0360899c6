#pragma once

#include "RecordingHooks.h"
#include "core/app/MainLoop.h"
#include "support/FakeClock.h"

#include <QTimeZone>

#include <memory>

namespace zorvex {

// UTC keeps daylight-saving changes of the host's zone out of the counts.
inline QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), QTimeZone::utc());
}

// A main loop on a fake clock with recording hooks and a fixed "random"
// number.
struct Rig {
    explicit Rig(const QDateTime& start)
        : clock(start)
    {
        hooks.clock = &clock;
        loop = std::make_unique<MainLoop>(clock, hooks, [this](int) { return randomValue; });
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    // The 800 ms timer firing until the clock reaches `until`.
    void run2Until(const QDateTime& until)
    {
        while (clock.now() < until) {
            clock.advanceMs(800);
            loop->tick2();
        }
    }
    void run4(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            clock.advanceMs(50);
            loop->tick4();
        }
    }

    FakeClock clock;
    RecordingHooks hooks;
    int randomValue = 0;
    std::unique_ptr<MainLoop> loop;
};

} // namespace zorvex

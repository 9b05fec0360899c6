#pragma once

#include "RecordingServices.h"
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

// A main loop on a fake clock with recording services and a fixed "random"
// number.
struct Rig {
    explicit Rig(const QDateTime& start)
        : clock(start)
    {
        services.clock = &clock;
        loop = std::make_unique<MainLoop>(clock, services, [this](int) { return randomValue; });
        services.registerWith(loop->services());
    }
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;

    // The 800 ms timer firing until the clock reaches `until`.
    void run2Until(const QDateTime& until)
    {
        while (clock.now() < until) {
            clock.advanceMs(800);
            loop->scheduleTick();
        }
    }
    void run4(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            clock.advanceMs(50);
            loop->fastTick();
        }
    }

    FakeClock clock;
    RecordingServices services;
    int randomValue = 0;
    std::unique_ptr<MainLoop> loop;
};

} // namespace zorvex

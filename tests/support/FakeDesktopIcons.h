#pragma once

#include "platform/desktop/DesktopIcons.h"

#include <atomic>
#include <mutex>

namespace zorvex {

// A desktop held in memory: moves change it, as a desktop would. Called
// from the service's worker thread, so guarded.
class FakeDesktopIcons : public DesktopIcons {
public:
    bool available() const override { return isAvailable; }
    std::optional<QList<IconPosition>> icons() override
    {
        std::lock_guard lock(mutex);
        if (failRead)
            return std::nullopt;
        return desktop;
    }
    QString moveIcons(const QList<IconPosition>& moves) override
    {
        std::lock_guard lock(mutex);
        moveCalls.append(moves);
        for (const IconPosition& m : moves)
            for (IconPosition& icon : desktop)
                if (icon.caption == m.caption)
                    icon.position = m.position;
        return moveError;
    }

    std::mutex mutex;
    bool isAvailable = true;
    bool failRead = false;
    QString moveError;
    QList<IconPosition> desktop;
    QList<QList<IconPosition>> moveCalls;
};

} // namespace zorvex

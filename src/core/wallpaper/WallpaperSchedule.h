#pragma once

#include "core/shell/LoopServices.h"
#include "core/wallpaper/WallpaperSettings.h"

#include <QString>

#include <functional>

namespace zorvex {

// Whether the CPU use shown by the gauges lets a timed change run: always
// without the limit, else only below it. The shown text counts by its
// leading whole number, 0 when it has none.
bool cpuAllowsChange(const WallpaperSettings& settings, const QString& cpuShown);

// The timed change on the 800 ms tick: due every ZmianaCzM minutes while
// the changer and its interval are on. The loop keeps the time of the last
// change and moves it before asking; a change the CPU limit skips waits for
// the next full interval.
class WallpaperSchedule : public IntervalService {
public:
    WallpaperSchedule(const WallpaperSettings& settings, std::function<QString()> cpuShown,
                      std::function<void()> change)
        : m_settings(settings)
        , m_cpuShown(std::move(cpuShown))
        , m_change(std::move(change))
    {
    }

    Interval interval() const override
    {
        return Interval::minutes(m_settings.active && m_settings.timed, m_settings.minutes);
    }
    void runInterval(const QDateTime& now) override;

private:
    const WallpaperSettings& m_settings;
    std::function<QString()> m_cpuShown;
    std::function<void()> m_change;
};

} // namespace zorvex

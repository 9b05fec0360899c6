#pragma once

#include "core/app/StartupTasks.h"
#include "core/shell/LoopServices.h"

#include <array>
#include <vector>

namespace zorvex {

// The tasks that run when enough time passed since their reference, which
// holds the time of their last run.
enum class IntervalTask {
    Wallpaper,
    PingCheck,
    MailCheck,
    PingStatusHide,
    MailStatusHide,
    Autosave,
    WeatherIcon,
    DelayedWeather,
};
inline constexpr int kIntervalTaskCount = 8;

enum class RetryTask { TimeSync, UpdateCheck };

// Which feature service answers which step of the main loop. Services are
// owned by the application and outlive the loop; several services may share
// a step and run in the order they were added, except where a step has room
// for one (an interval task, a retry, the midnight refresh, the trays).
class LoopRegistry {
public:
    void addSecondTick(SecondTickService& s) { m_second.push_back(&s); }
    void addClockChange(ClockChangeService& s) { m_clock.push_back(&s); }
    void addTick(TickStep step, TickService& s) { m_ticks[std::size_t(step)].push_back(&s); }
    void addDayChange(DayStep step, DayChangeService& s) { m_days[std::size_t(step)].push_back(&s); }
    void addStartup(StartupTasks::Task task, StartupService& s) { m_startup[slot(task)].push_back(&s); }
    void addShutdown(ShutdownStepId step, ShutdownService& s) { m_shutdown[std::size_t(step)].push_back(&s); }
    void setInterval(IntervalTask task, IntervalService& s) { m_intervals[std::size_t(task)] = &s; }
    void setRetry(RetryTask task, RetryService& s) { m_retries[std::size_t(task)] = &s; }
    void setMidnightRefresh(MidnightRefreshService& s) { m_midnight = &s; }
    void setDriveTrays(DriveTrayService& s) { m_trays = &s; }

    const std::vector<SecondTickService*>& secondTicks() const { return m_second; }
    const std::vector<ClockChangeService*>& clockChanges() const { return m_clock; }
    const std::vector<TickService*>& ticks(TickStep step) const { return m_ticks[std::size_t(step)]; }
    const std::vector<DayChangeService*>& dayChanges(DayStep step) const { return m_days[std::size_t(step)]; }
    const std::vector<StartupService*>& startup(StartupTasks::Task task) const { return m_startup[slot(task)]; }
    const std::vector<ShutdownService*>& shutdown(ShutdownStepId step) const
    {
        return m_shutdown[std::size_t(step)];
    }
    IntervalService* interval(IntervalTask task) const { return m_intervals[std::size_t(task)]; }
    RetryService* retry(RetryTask task) const { return m_retries[std::size_t(task)]; }
    MidnightRefreshService* midnightRefresh() const { return m_midnight; }
    DriveTrayService* driveTrays() const { return m_trays; }

    // Runs every service of a step with the same arguments.
    void runTick(TickStep step, const QDateTime& now) const
    {
        for (TickService* s : ticks(step))
            s->tick(step, now);
    }
    // Whether a service of the 50 ms steps wants the full rate.
    bool wantsFastTicks() const
    {
        for (TickStep step : {TickStep::NewSecond, TickStep::MouseSample, TickStep::MemorySample,
                              TickStep::FreeSpaceCard}) {
            for (TickService* s : ticks(step)) {
                if (s->wantsFastTicks(step))
                    return true;
            }
        }
        return false;
    }
    void runDay(DayStep step, const DayChange& change) const
    {
        for (DayChangeService* s : dayChanges(step))
            s->dayChanged(step, change);
    }

private:
    static std::size_t slot(StartupTasks::Task task) { return std::size_t(StartupTasks::indexOf(task)); }

    std::vector<SecondTickService*> m_second;
    std::vector<ClockChangeService*> m_clock;
    std::array<std::vector<TickService*>, kTickStepCount> m_ticks;
    std::array<std::vector<DayChangeService*>, kDayStepCount> m_days;
    std::array<std::vector<StartupService*>, StartupTasks::kTaskCount> m_startup;
    std::array<std::vector<ShutdownService*>, kShutdownStepCount> m_shutdown;
    std::array<IntervalService*, kIntervalTaskCount> m_intervals{};
    std::array<RetryService*, 2> m_retries{};
    MidnightRefreshService* m_midnight = nullptr;
    DriveTrayService* m_trays = nullptr;
};

} // namespace zorvex

#include "core/app/MainLoop.h"

#include <algorithm>

namespace zorvex {

// Runs once for each change of the date, whichever way the date moved and
// however long the computer slept; the day's counters still belong to the
// remembered date, which is replaced only near the end.
void MainLoop::runDayChange(const QDateTime& now)
{
    const DayChange change{m_date, now.date(), now};

    m_services.runDay(DayStep::DayFacts, change);
    if (MidnightRefreshService* weather = m_services.midnightRefresh(); weather && weather->refreshAfterMidnight()) {
        // Spread over 1 to 270 seconds so that not every user asks the
        // weather service in the same second after midnight.
        const int r = std::clamp(m_random(270), 0, 269);
        scheduleWeatherRefresh(now.addSecs(-(30 + r)));
    }
    m_services.runDay(DayStep::TodaysMonth, change);
    m_services.runDay(DayStep::ScrollingText, change);
    m_services.runDay(DayStep::UptimeDay, change);
    m_services.runDay(DayStep::WeatherDays, change);
    m_services.runDay(DayStep::MouseCommit, change);
    m_services.runDay(DayStep::TrafficCommit, change);
    if (IntervalService* autosave = m_services.interval(IntervalTask::Autosave); autosave && autosave->interval().on) {
        ref(IntervalTask::Autosave) = now;
        autosave->runInterval(now);
    }
    m_date = now.date();
    m_services.runDay(DayStep::Reminders, change);
    m_services.runDay(DayStep::MailCaption, change);
}

} // namespace zorvex

#include "core/app/MainLoop.h"

#include <algorithm>

namespace zorvex {

// Runs once for each change of the date, whichever way the date moved and
// however long the computer slept; the day's counters still belong to the
// remembered date, which is replaced only near the end.
void MainLoop::runDayChange(const QDateTime& now)
{
    const QDate previous = m_date;

    m_hooks.updateDayFacts();
    if (m_hooks.weatherMidnightRefreshOn()) {
        // Spread over 1 to 270 seconds so that not every user asks the
        // weather service in the same second after midnight.
        const int r = std::clamp(m_random(270), 0, 269);
        scheduleWeatherRefresh(now.addSecs(-(30 + r)));
    }
    m_hooks.showTodaysMonth();
    m_hooks.rebuildScrollingText();
    m_hooks.startUptimeDay();
    m_hooks.rebuildWeatherDays();
    if (m_hooks.mouseOdometerOn())
        m_hooks.commitMouseDistance(previous);
    if (m_hooks.trafficStatisticOn())
        m_hooks.commitTraffic(previous);
    if (m_hooks.autosaveOn()) {
        ref(IntervalTask::Autosave) = now;
        m_hooks.autosave();
    }
    m_date = now.date();
    m_hooks.resetRemindersShownToday();
    m_hooks.evaluateReminders();
    m_hooks.refreshMailCheckCaption();
}

} // namespace zorvex

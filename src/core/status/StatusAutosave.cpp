#include "core/status/StatusAutosave.h"

#include "core/common/Clock.h"
#include "core/status/MouseOdometer.h"
#include "core/status/StatusSettings.h"
#include "core/status/TrafficDays.h"
#include "core/status/TrafficMonitor.h"
#include "core/status/UptimeLog.h"

namespace zorvex {

StatusAutosave::StatusAutosave(const Clock& clock, UptimeLog& uptime, MouseOdometer& mouse, TrafficMonitor& traffic,
                               const UptimeSettings& czas, const MouseOdometerSettings& ruch,
                               const TrafficSettings& siec, QString siecPath)
    : m_clock(clock)
    , m_uptime(uptime)
    , m_mouse(mouse)
    , m_traffic(traffic)
    , m_czas(czas)
    , m_ruch(ruch)
    , m_siec(siec)
    , m_siecPath(std::move(siecPath))
{
}

DayTime StatusAutosave::sessionStart() const
{
    return toDayTime(m_uptime.currentRunStart());
}

qint64 StatusAutosave::mouseToday() const
{
    return m_ruch.active ? m_mouse.travel() : 0;
}

qint64 StatusAutosave::receivedToday() const
{
    return m_siec.active ? m_traffic.receivedToday() : 0;
}

qint64 StatusAutosave::sentToday() const
{
    return m_siec.active ? m_traffic.sentToday() : 0;
}

bool StatusAutosave::uptimeLogOn() const
{
    return m_czas.active;
}

void StatusAutosave::recordInterruptedSession(DayTime start, DayTime end)
{
    m_uptime.setInterruptedSession(fromDayTime(start), fromDayTime(end));
}

bool StatusAutosave::mouseOdometerOn() const
{
    return m_ruch.active;
}

void StatusAutosave::addMouseToday(qint64 pixels)
{
    m_mouse.addToDay(m_clock.now().date(), pixels);
}

bool StatusAutosave::trafficOn() const
{
    return m_siec.active;
}

void StatusAutosave::addTrafficToday(qint64 received, qint64 sent)
{
    if (received > 0 || sent > 0)
        trafficdays::add(m_siecPath, m_clock.now().date(), received, sent);
}

} // namespace zorvex

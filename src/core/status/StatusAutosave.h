#pragma once

#include "core/shell/Autosave.h"

#include <QString>

namespace zorvex {

class Clock;
class MouseOdometer;
class TrafficMonitor;
class UptimeLog;
struct MouseOdometerSettings;
struct TrafficSettings;
struct UptimeSettings;

// The statistics' share of the autosave record: what the record carries
// (the current run's start, the day's mouse travel and traffic) and where a
// recovered record goes at the next start (the interrupted run to the
// uptime log, the counters to today's keys of "Ruch.ini" and "Siec.ini").
class StatusAutosave : public AutosaveSource, public AutosaveSink {
public:
    StatusAutosave(const Clock& clock, UptimeLog& uptime, MouseOdometer& mouse, TrafficMonitor& traffic,
                   const UptimeSettings& czas, const MouseOdometerSettings& ruch, const TrafficSettings& siec,
                   QString siecPath);

    DayTime sessionStart() const override;
    qint64 mouseToday() const override;
    qint64 receivedToday() const override;
    qint64 sentToday() const override;

    bool uptimeLogOn() const override;
    void recordInterruptedSession(DayTime start, DayTime end) override;
    bool mouseOdometerOn() const override;
    void addMouseToday(qint64 pixels) override;
    bool trafficOn() const override;
    void addTrafficToday(qint64 received, qint64 sent) override;

private:
    const Clock& m_clock;
    UptimeLog& m_uptime;
    MouseOdometer& m_mouse;
    TrafficMonitor& m_traffic;
    const UptimeSettings& m_czas;
    const MouseOdometerSettings& m_ruch;
    const TrafficSettings& m_siec;
    QString m_siecPath;
};

} // namespace zorvex

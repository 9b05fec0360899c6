#include "core/reminders/AlarmCheck.h"

#include "core/common/Clock.h"

#include <QFileInfo>
#include <QTimeZone>

namespace zorvex {

namespace {

bool dayMatches(const AlarmEntry& e, const QDate& today)
{
    const int weekday = today.dayOfWeek(); // Monday = 1
    switch (e.recurrence) {
    case AlarmRecurrence::Once:
        return e.date() == today;
    case AlarmRecurrence::Periodic: {
        if (e.periodicLastFired == today)
            return false;
        const QDate start = e.date();
        // An interval that is not a number reads as 0 and never fires.
        if (!start.isValid() || e.parameter <= 0 || today < start)
            return false;
        return start.daysTo(today) % e.parameter == 0;
    }
    default:
        break;
    }
    if (e.date() == today)
        return false;
    switch (e.recurrence) {
    case AlarmRecurrence::Daily:
        return true;
    case AlarmRecurrence::Weekly:
        return weekday == e.parameter;
    case AlarmRecurrence::Monthly:
        return today.day() == e.parameter;
    case AlarmRecurrence::Weekdays:
        return weekday <= 5;
    case AlarmRecurrence::Weekend:
        return weekday >= 6;
    case AlarmRecurrence::ChosenDays:
        return (e.weekdayMask() >> (weekday - 1)) & 1;
    default:
        return false;
    }
}

// The alarm's moment today. A time that the clock skips when daylight saving
// begins is taken as the first moment after the gap, so the alarm still
// fires that day.
QDateTime momentToday(const AlarmEntry& e, const QDateTime& now)
{
    const QTime wall(e.hour, e.minute);
    // When the clock is set back the hour repeats; the occurrence with the
    // offset now in force is the one that is meant.
    const QDateTime sameOffset(now.date(), wall, QTimeZone(now.offsetFromUtc()));
    const QDateTime local = sameOffset.toTimeSpec(now.timeSpec());
    if (local.date() == now.date() && local.time() == wall)
        return local;
    QDateTime t = now;
    t.setTime(wall);
    for (int step = 1; !t.isValid() && step <= 24 * 60; ++step) {
        const QTime later = wall.addSecs(step * 60);
        if (later < wall)
            break; // past midnight
        t = now;
        t.setTime(later);
    }
    return t;
}

} // namespace

bool alarmDue(const AlarmEntry& e, const QDateTime& now)
{
    if (!e.active || e.hour < 0 || e.hour > 23 || e.minute < 0 || e.minute > 59)
        return false;
    if (!dayMatches(e, now.date()))
        return false;
    const QDateTime t = momentToday(e, now);
    if (!t.isValid())
        return false;
    const qint64 d = t.secsTo(now);
    return e.runLate ? d >= 0 : d >= 0 && d <= 10;
}

void markAlarmFired(AlarmEntry& e, const QDate& today)
{
    switch (e.recurrence) {
    case AlarmRecurrence::Once:
        e.active = false;
        break;
    case AlarmRecurrence::Periodic:
        e.periodicLastFired = today;
        break;
    default:
        e.setDate(today);
        break;
    }
}

AlarmCheck::AlarmCheck(const Clock& clock, QList<AlarmEntry>& alarms, AlarmHandler& handler)
    : m_clock(clock)
    , m_alarms(alarms)
    , m_handler(handler)
{
}

bool AlarmCheck::tick()
{
    const qint64 second = m_clock.epochMs() / 1000;
    if (second == m_lastSecond)
        return false;
    m_lastSecond = second;
    check(m_clock.now());
    return true;
}

void AlarmCheck::check(const QDateTime& now)
{
    // By index and re-reading the list on every step: a message box runs a
    // nested loop in which the user may edit the list and later ticks check
    // it again.
    for (qsizetype i = 0; i < m_alarms.size(); ++i) {
        if (!alarmDue(m_alarms.at(i), now))
            continue;
        markAlarmFired(m_alarms[i], now.date());
        // Saved before the actions, so a tick during a message box does not
        // fire the same alarm again.
        const AlarmEntry e = m_alarms.at(i);
        m_handler.alarmsChanged();

        if (e.computerOn)
            m_handler.runPowerAction(e.computerAction, e.withCancel);
        if (e.soundOn && !e.soundPath.isEmpty() && QFileInfo(e.soundPath).isFile())
            m_handler.playAlarmSound(e.soundPath);
        if (e.programOn && !e.program.trimmed().isEmpty())
            m_handler.startProgram(e.program);
        const QString caption = alarmMessageCaption(e.icon);
        if (e.messageKind == AlarmMessageKind::Box)
            m_handler.showMessageBox(caption, e.message, e.icon);
        else if (e.messageKind == AlarmMessageKind::Balloon)
            m_handler.showBalloon(caption, e.message, e.icon);
    }
}

} // namespace zorvex

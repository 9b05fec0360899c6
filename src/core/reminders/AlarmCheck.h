#pragma once

#include "core/reminders/AlarmEntry.h"

#include <QDateTime>
#include <QList>

namespace zorvex {

class Clock;

// Whether the alarm fires at `now`: its day test and its time test.
bool alarmDue(const AlarmEntry& e, const QDateTime& now);
// The change that keeps a fired alarm from firing again: a one-off alarm
// goes inactive, a recurring one records `today`.
void markAlarmFired(AlarmEntry& e, const QDate& today);

// What a firing alarm does outside the list. The owner shows, plays and
// starts; every call has a harmless default.
class AlarmHandler {
public:
    virtual ~AlarmHandler() = default;
    // The list changed because an alarm fired: refresh the page unless the
    // user is editing, and save the whole list.
    virtual void alarmsChanged() {}
    // At once, or behind the 30-second cancel window.
    virtual void runPowerAction(PowerAction /*action*/, bool /*withCancelWindow*/) {}
    // Only called for a file that exists.
    virtual void playAlarmSound(const QString& /*path*/) {}
    virtual void startProgram(const QString& /*commandLine*/) {}
    // Waits until the user closes it; ticks may arrive meanwhile.
    virtual void showMessageBox(const QString& /*caption*/, const QString& /*text*/, AlarmIcon) {}
    virtual void showBalloon(const QString& /*caption*/, const QString& /*text*/, AlarmIcon) {}
};

// The once-per-second check of the alarm list.
class AlarmCheck {
public:
    AlarmCheck(const Clock& clock, QList<AlarmEntry>& alarms, AlarmHandler& handler);

    // Called by the fast tick; checks only when the clock's second differs
    // from the one of the previous check. Returns whether it checked.
    bool tick();
    // One pass over the list at `now`.
    void check(const QDateTime& now);

private:
    const Clock& m_clock;
    QList<AlarmEntry>& m_alarms;
    AlarmHandler& m_handler;
    qint64 m_lastSecond = -1;
};

} // namespace zorvex

#pragma once

#include <QDateTime>

namespace zorvex {

// The time source of every rule that depends on the time of day; tests move
// a fake one past midnight.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    // Milliseconds since the epoch. Cheaper than now(): no time-zone work,
    // so the fast ticks can ask it every time and build a local time only
    // when the second changes.
    virtual qint64 epochMs() const { return now().toMSecsSinceEpoch(); }
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 epochMs() const override { return QDateTime::currentMSecsSinceEpoch(); }
};

} // namespace zorvex

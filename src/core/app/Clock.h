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

class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 1, 1), QTime(12, 0)))
        : m_now(std::move(start))
    {
    }
    QDateTime now() const override { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

} // namespace zorvex

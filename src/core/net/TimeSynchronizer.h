#pragma once

#include "core/common/Clock.h"
#include "core/net/Sntp.h"
#include "core/net/SntpTransport.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace zorvex {

struct TimeSyncOutcome {
    enum Kind {
        Synchronised,
        BadServer,     // the server box holds no host or a bad port
        NoAnswer,      // no answer, a rejected one, or one before 2006
        KissOfDeath,   // the server asked us to stop
        NetworkTimeOn, // the system synchronises the clock itself
        ClockRefused,  // the clock may not be set
        ClockFailed,   // the time service failed
        Cancelled,
    };
    Kind kind = NoAnswer;
    QDateTime time;          // local time after the correction
    int correctionSeconds = 0; // without sign
    qint64 offsetMs = 0;
    QString detail;          // the kiss code or the time service's error

    // A silent run that ended so tries again later; the others would only
    // fail the same way (or annoy the server).
    bool retryLater() const { return kind == NoAnswer; }
};

// One synchronisation: two SNTP exchanges (the first measures, the second
// confirms the server's time with a fresh offset), then the clock is moved
// by the second offset once. Time comes from the injected clock, the
// network and the clock setter are injected too; `done` is called exactly
// once, from the event loop.
class TimeSynchronizer {
public:
    static constexpr int kTimeoutMs = 5000;

    TimeSynchronizer(const Clock& clock, SntpTransport& transport, SystemTimeSetter& setter);

    bool running() const { return m_running; }
    void start(const QString& serverText, std::function<void(const TimeSyncOutcome&)> done);
    void cancel();
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }

    // An answer dated before this is an unsynchronised server's.
    static QDate earliestTrustedDate() { return QDate(2006, 1, 1); }

private:
    void exchange(int round);
    void answered(int round, const SntpAnswer& answer);
    void finish(TimeSyncOutcome outcome);

    const Clock& m_clock;
    SntpTransport& m_transport;
    SystemTimeSetter& m_setter;
    int m_timeoutMs = kTimeoutMs;
    bool m_running = false;
    HostPort m_server;
    quint64 m_sentStamp = 0;
    qint64 m_sentMs = 0;
    qint64 m_firstOffsetMs = 0;
    std::function<void(const TimeSyncOutcome&)> m_done;
};

// "środa, 9 grudnia 2026, 03:45:12"; "brak" when there was none.
QString lastSyncText(const QDateTime& time);
// "12 sek."; empty while there was no correction yet (−1).
QString correctionText(int seconds);

// Silent retries after failures: the first after 30 seconds, each further
// one waits twice as long, up to an hour, so a server that is gone is not
// asked every 30 seconds for ever. A success starts again from 30 seconds.
class RetryBackoff {
public:
    static constexpr qint64 kFirstMs = 30 * 1000;
    static constexpr qint64 kLongestMs = 60 * 60 * 1000;

    void failed(const QDateTime& now);
    void succeeded() { m_failures = 0; m_next = {}; }
    bool due(const QDateTime& now) const { return !m_next.isValid() || now >= m_next; }
    QDateTime next() const { return m_next; }
    int failures() const { return m_failures; }

private:
    int m_failures = 0;
    QDateTime m_next;
};

} // namespace zorvex

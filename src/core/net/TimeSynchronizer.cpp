#include "core/net/TimeSynchronizer.h"

#include "core/calendar/PolishNames.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace zorvex {

TimeSynchronizer::TimeSynchronizer(const Clock& clock, SntpTransport& transport, SystemTimeSetter& setter)
    : m_clock(clock)
    , m_transport(transport)
    , m_setter(setter)
{
}

void TimeSynchronizer::start(const QString& serverText, std::function<void(const TimeSyncOutcome&)> done)
{
    if (m_running)
        return;
    m_done = std::move(done);
    m_running = true;
    const auto server = parseHostPort(serverText, kSntpPort);
    if (!server) {
        TimeSyncOutcome o;
        o.kind = TimeSyncOutcome::BadServer;
        finish(o);
        return;
    }
    m_server = *server;
    exchange(1);
}

void TimeSynchronizer::cancel()
{
    if (!m_running)
        return;
    m_transport.stop();
    TimeSyncOutcome o;
    o.kind = TimeSyncOutcome::Cancelled;
    finish(o);
}

void TimeSynchronizer::exchange(int round)
{
    m_transport.exchange(
        m_server, m_timeoutMs,
        [this] {
            m_sentMs = m_clock.epochMs();
            m_sentStamp = ntpFromUnixMs(m_sentMs);
            return sntpRequest(m_sentStamp);
        },
        [this, round](const QByteArray& datagram) {
            const SntpAnswer a = readSntpAnswer(datagram, m_sentStamp, m_sentMs, m_clock.epochMs());
            // A late answer to an earlier request, or a forged one: wait on.
            if (a.verdict == SntpVerdict::NotOurRequest)
                return;
            m_transport.stop();
            answered(round, a);
        },
        [this](const QString& error) {
            TimeSyncOutcome o;
            o.kind = TimeSyncOutcome::NoAnswer;
            o.detail = error;
            finish(o);
        });
}

void TimeSynchronizer::answered(int round, const SntpAnswer& a)
{
    TimeSyncOutcome o;
    if (a.verdict == SntpVerdict::KissOfDeath) {
        o.kind = TimeSyncOutcome::KissOfDeath;
        o.detail = a.kissCode;
        finish(o);
        return;
    }
    if (a.verdict != SntpVerdict::Accepted) {
        o.kind = TimeSyncOutcome::NoAnswer;
        finish(o);
        return;
    }
    if (round == 1) {
        m_firstOffsetMs = a.offsetMs;
        exchange(2);
        return;
    }
    const QDateTime serverNow = QDateTime::fromMSecsSinceEpoch(m_clock.epochMs() + a.offsetMs);
    if (serverNow.date() < earliestTrustedDate()) {
        o.kind = TimeSyncOutcome::NoAnswer;
        finish(o);
        return;
    }
    const qint64 offset = a.offsetMs;
    const int correction = int(std::min<qint64>(std::abs(m_firstOffsetMs) / 1000, INT_MAX));
    m_setter.adjustBy(offset, [this, offset, correction](SystemTimeSetter::Result r, const QString& detail) {
        if (!m_running)
            return;
        TimeSyncOutcome o;
        o.detail = detail;
        o.offsetMs = offset;
        switch (r) {
        case SystemTimeSetter::Result::Set:
            o.kind = TimeSyncOutcome::Synchronised;
            o.correctionSeconds = correction;
            o.time = m_clock.now();
            break;
        case SystemTimeSetter::Result::NetworkTimeOn: o.kind = TimeSyncOutcome::NetworkTimeOn; break;
        case SystemTimeSetter::Result::Refused: o.kind = TimeSyncOutcome::ClockRefused; break;
        case SystemTimeSetter::Result::Failed: o.kind = TimeSyncOutcome::ClockFailed; break;
        }
        finish(o);
    });
}

void TimeSynchronizer::finish(TimeSyncOutcome outcome)
{
    m_running = false;
    auto done = std::move(m_done);
    m_done = nullptr;
    if (done)
        done(outcome);
}

QString lastSyncText(const QDateTime& time)
{
    if (!time.isValid())
        return QStringLiteral("brak");
    const QDate d = time.date();
    return polishWeekdayName(d.dayOfWeek()) + QStringLiteral(", ") + QString::number(d.day()) + QLatin1Char(' ')
        + polishMonthGenitive(d.month()) + QLatin1Char(' ') + QString::number(d.year()) + QStringLiteral(", ")
        + time.time().toString(QStringLiteral("HH:mm:ss"));
}

QString correctionText(int seconds)
{
    return seconds < 0 ? QString() : QString::number(seconds) + QStringLiteral(" sek.");
}

void RetryBackoff::failed(const QDateTime& now)
{
    ++m_failures;
    const int doublings = std::min(m_failures - 1, 16);
    const qint64 wait = std::min(kFirstMs << doublings, kLongestMs);
    m_next = now.addMSecs(wait);
}

} // namespace zorvex

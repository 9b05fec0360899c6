#include "core/app/StartupTasks.h"

#include "core/app/LoopRegistry.h"
#include "core/app/MainLoopInterval.h"

namespace zorvex {
namespace {

constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

} // namespace

bool updateCheckDue(bool weekly, const QDateTime& lastCheck, const QDateTime& now)
{
    if (!lastCheck.isValid())
        return true;
    if (!weekly)
        return lastCheck.date() != now.date();
    const qint64 passed = lastCheck.msecsTo(now);
    return passed < 0 || passed / kDayMs > 6;
}

TimeSyncRun timeSyncAtStart(TimeSyncMode mode, const QDate& lastSync, const QDate& today)
{
    switch (mode) {
    case TimeSyncMode::AtStart: return TimeSyncRun::Now;
    case TimeSyncMode::Daily: return lastSync != today ? TimeSyncRun::Daily : TimeSyncRun::None;
    case TimeSyncMode::Off: break;
    }
    return TimeSyncRun::None;
}

void StartupTasks::armTimeSyncRetry(const QDateTime& now)
{
    m_timeSyncRetry = true;
    m_timeSyncRetryRef = now;
}

void StartupTasks::armUpdateRetry(const QDateTime& now)
{
    m_updateRetry = true;
    m_updateRetryRef = now;
}

// A failing silent run arms its retry again from inside the call.
void StartupTasks::runRetry(RetryService* service, bool& armed, QDateTime& ref, qint64 delayMs,
                            const QDateTime& now)
{
    if (!armed || !intervalElapsed(ref, now, delayMs))
        return;
    if (!service) {
        armed = false;
        return;
    }
    if (!service->retryAvailable())
        return;
    armed = false;
    service->retry(now);
}

void StartupTasks::run(const LoopRegistry& services, const QDateTime& now, bool fadeInComplete)
{
    if (idle())
        return;
    const auto runTask = [&](Task task) {
        if (!pending(task) || (!fadeInComplete && (kAfterFadeIn & task)))
            return;
        const auto& answering = services.startup(task);
        for (StartupService* s : answering) {
            if (!s->readyAtStart())
                return;
        }
        m_pending &= ~unsigned(task);
        for (StartupService* s : answering)
            s->runAtStart(now);
    };
    for (Task task : {PingAtStart, MailAtStart, TimeSyncAtStart, UpdateCheckAtStart})
        runTask(task);
    // The retries come between the update check and the playlist.
    runRetry(services.retry(RetryTask::TimeSync), m_timeSyncRetry, m_timeSyncRetryRef, kTimeSyncRetryMs, now);
    runRetry(services.retry(RetryTask::UpdateCheck), m_updateRetry, m_updateRetryRef, kUpdateRetryMs, now);
    for (Task task : {PlaylistAutoplay, TrayIconProtection, RadioAutoplay, PingStatusPreparation,
                      MailStatusPreparation, RemindersAtStart})
        runTask(task);
}

} // namespace zorvex

#pragma once

#include "core/shell/LoopServices.h"

#include <QDate>
#include <QDateTime>

namespace zorvex {

class LoopRegistry;

// Whether the automatic update check at start is due: daily when the last
// check was not today, weekly when more than 6 whole days passed. A check
// never made is due, and so is a weekly one dated in the future (a clock
// that was wrong once), which would otherwise wait until that date.
bool updateCheckDue(bool weekly, const QDateTime& lastCheck, const QDateTime& now);

// What the synchronisation at start (and its retry) does under the two
// options: nothing, a synchronisation now, or the daily one when the last
// synchronisation was not today.
enum class TimeSyncRun { None, Now, Daily };
TimeSyncRun timeSyncAtStart(TimeSyncMode mode, const QDate& lastSync, const QDate& today);

// The tasks that run once after start-up, several of them only after the
// fade-in, and the two retries that the time synchronisation and the update
// check arm after a failed silent run.
class StartupTasks {
public:
    // In the order they run.
    enum Task : unsigned {
        PingAtStart = 1u << 0,
        MailAtStart = 1u << 1,
        TimeSyncAtStart = 1u << 2,
        UpdateCheckAtStart = 1u << 3,
        PlaylistAutoplay = 1u << 4,
        TrayIconProtection = 1u << 5,
        RadioAutoplay = 1u << 6,
        PingStatusPreparation = 1u << 7,
        MailStatusPreparation = 1u << 8,
        RemindersAtStart = 1u << 9,
    };
    static constexpr int kTaskCount = 10;
    static constexpr unsigned kAll = (1u << kTaskCount) - 1;
    static constexpr int indexOf(Task task)
    {
        int i = 0;
        while (i < kTaskCount && (1u << i) != unsigned(task))
            ++i;
        return i;
    }
    // The tasks that wait until the window has faded in.
    static constexpr unsigned kAfterFadeIn =
        PingAtStart | MailAtStart | TimeSyncAtStart | UpdateCheckAtStart | TrayIconProtection | RemindersAtStart;

    static constexpr qint64 kTimeSyncRetryMs = 30 * 1000;
    static constexpr qint64 kUpdateRetryMs = 300 * 1000;

    // One 50 ms step: each task whose turn has come clears its flag and runs
    // its services; a task whose service is not ready yet keeps waiting, and
    // a task nobody answers is simply cleared.
    void run(const LoopRegistry& services, const QDateTime& now, bool fadeInComplete);

    bool pending(Task task) const { return (m_pending & task) != 0; }
    // Nothing left to do: the tick skips this step at no cost.
    bool idle() const { return m_pending == 0 && !m_timeSyncRetry && !m_updateRetry; }

    void armTimeSyncRetry(const QDateTime& now);
    void armUpdateRetry(const QDateTime& now);
    void dropUpdateRetry() { m_updateRetry = false; }
    bool timeSyncRetryArmed() const { return m_timeSyncRetry; }
    bool updateRetryArmed() const { return m_updateRetry; }

private:
    void runRetry(RetryService* service, bool& armed, QDateTime& ref, qint64 delayMs, const QDateTime& now);

    unsigned m_pending = kAll;
    bool m_timeSyncRetry = false;
    bool m_updateRetry = false;
    QDateTime m_timeSyncRetryRef;
    QDateTime m_updateRetryRef;
};

} // namespace zorvex

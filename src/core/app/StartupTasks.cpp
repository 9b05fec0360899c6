#include "core/app/StartupTasks.h"

#include "core/app/MainLoopHooks.h"
#include "core/app/MainLoopInterval.h"

namespace zorvex {
namespace {

constexpr qint64 kDayMs = 24LL * 60 * 60 * 1000;

// The start-up run and its retry use the same rule.
void synchroniseAsConfigured(ShellHooks& hooks, const QDate& today)
{
    switch (hooks.timeSyncMode()) {
    case TimeSyncMode::AtStart:
        hooks.synchroniseTime(false);
        break;
    case TimeSyncMode::Daily:
        if (hooks.lastTimeSyncDate() != today)
            hooks.synchroniseTime(true);
        break;
    case TimeSyncMode::Off:
        break;
    }
}

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

bool StartupTasks::take(Task task)
{
    if (!(m_pending & task))
        return false;
    m_pending &= ~unsigned(task);
    return true;
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

void StartupTasks::run(ShellHooks& hooks, const QDateTime& now, bool fadeInComplete)
{
    if (idle())
        return;

    if (fadeInComplete && take(PingAtStart)) {
        if (hooks.pingAtStartOn() && hooks.pingHostCount() > 0)
            hooks.checkPingHosts();
    }
    if (fadeInComplete && take(MailAtStart)) {
        if (hooks.mailAtStartOn() && hooks.mailAccountCount() > 0)
            hooks.checkMail();
    }
    if (fadeInComplete && take(TimeSyncAtStart))
        synchroniseAsConfigured(hooks, now.date());
    if (fadeInComplete && take(UpdateCheckAtStart)) {
        if (hooks.updateAutoCheckOn() && updateCheckDue(hooks.updateCheckWeekly(), hooks.lastUpdateCheck(), now))
            hooks.checkForUpdates();
    }
    // A failing silent run arms its retry again from inside the call.
    if (m_timeSyncRetry && intervalElapsed(m_timeSyncRetryRef, now, kTimeSyncRetryMs)
        && hooks.timeSyncAvailable()) {
        m_timeSyncRetry = false;
        synchroniseAsConfigured(hooks, now.date());
    }
    if (m_updateRetry && intervalElapsed(m_updateRetryRef, now, kUpdateRetryMs) && hooks.updateAutoCheckOn()
        && hooks.updateCheckAvailable()) {
        m_updateRetry = false;
        hooks.checkForUpdates();
    }
    if (take(PlaylistAutoplay)) {
        if (hooks.playlistResumeOn() && hooks.playlistCount() > 0)
            hooks.resumePlaylist();
    }
    if (fadeInComplete && take(TrayIconProtection)) {
        if (hooks.trayIconProtectOn() && hooks.trayIconShown())
            hooks.protectTrayIcon();
    }
    if (take(RadioAutoplay)) {
        if (hooks.radioAutoplayOn() && hooks.rememberedStationPresent())
            hooks.autoplayRadio();
    }
    if (take(PingStatusPreparation))
        hooks.prepareStatusWindow(StatusWindow::Ping);
    if (take(MailStatusPreparation))
        hooks.prepareStatusWindow(StatusWindow::Mail);
    if (fadeInComplete && pending(RemindersAtStart) && hooks.reminderWindowsExist()) {
        take(RemindersAtStart);
        hooks.evaluateReminders();
    }
}

} // namespace zorvex

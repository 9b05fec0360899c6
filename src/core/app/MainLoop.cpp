#include "core/app/MainLoop.h"

#include "core/app/MainLoopInterval.h"
#include "core/app/MainLoopMarker.h"

#include <QRandomGenerator>

#include <algorithm>

namespace zorvex {

MainLoop::MainLoop(const Clock& clock, ShellHooks& hooks, RandomBelow random)
    : m_clock(clock)
    , m_hooks(hooks)
    , m_random(std::move(random))
{
    if (!m_random)
        m_random = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
    const QDateTime now = m_clock.now();
    m_date = now.date();
    m_hour = now.time().hour();
    m_minute = now.time().minute();
    m_refs.fill(now);
    const QRect area = m_hooks.workArea();
    m_workRight = area.right();
    m_workBottom = area.bottom();
}

void MainLoop::mainWindowShown(const FadeInSettings& settings)
{
    m_fadeIn.start(settings);
}

void MainLoop::toolsWindowCreated()
{
    ref(IntervalTask::Autosave) = m_clock.now();
}

void MainLoop::armTrayClose(const QString& drive, int delaySeconds)
{
    m_trayClose = TrayClose{drive, qint64(std::max(delaySeconds, 0)) * 1000, m_clock.now()};
}

void MainLoop::scheduleWeatherRefresh(const QDateTime& reference)
{
    m_weatherScheduled = true;
    ref(IntervalTask::DelayedWeather) = reference;
}

void MainLoop::statusWindowShown(StatusWindow window)
{
    ref(window == StatusWindow::Ping ? IntervalTask::PingStatusHide : IntervalTask::MailStatusHide) = m_clock.now();
}

void MainLoop::armTimeSyncRetry()
{
    m_startup.armTimeSyncRetry(m_clock.now());
}

void MainLoop::armUpdateRetry()
{
    m_startup.armUpdateRetry(m_clock.now());
}

void MainLoop::setReference(IntervalTask task, const QDateTime& time)
{
    ref(task) = time;
}

QDateTime MainLoop::reference(IntervalTask task) const
{
    return m_refs[std::size_t(task)];
}

bool MainLoop::elapsed(IntervalTask task, const QDateTime& now, qint64 ms)
{
    return intervalElapsed(ref(task), now, ms);
}

// An interval of 0 minutes would run a network check or a wallpaper change
// on every tick; the shortest interval is one minute.
bool MainLoop::elapsedMinutes(IntervalTask task, const QDateTime& now, int minutes)
{
    return elapsed(task, now, qint64(std::max(minutes, 1)) * 60 * 1000);
}

std::vector<ShutdownFailure> MainLoop::shutdown(bool restoredBackup)
{
    m_closing = true;
    return runShutdown(m_hooks, m_clock.now().date(), restoredBackup);
}

// --- 100 ms -----------------------------------------------------------------

void MainLoop::tick1()
{
    if (m_closing || !m_hooks.toolsWindowExists())
        return;
    const qint64 second = m_clock.epochMs() / 1000;
    if (second == m_alarmSecond)
        return;
    m_alarmSecond = second;
    m_hooks.evaluateAlarms();
}

// --- 800 ms -----------------------------------------------------------------

void MainLoop::tick2()
{
    if (m_closing)
        return;
    const QDateTime now = m_clock.now();
    m_hooks.refreshForegroundFlag();

    const QRect area = m_hooks.workArea();
    if (area.right() != m_workRight || area.bottom() != m_workBottom) {
        m_hooks.relayoutMainWindow();
        m_workRight = area.right();
        m_workBottom = area.bottom();
    }

    if (m_trayClose) {
        QDateTime& armed = m_trayClose->armed;
        if (intervalElapsed(armed, now, m_trayClose->delayMs)) {
            const QString drive = m_trayClose->drive;
            m_trayClose.reset();
            m_hooks.closeDriveTray(drive);
        }
    }

    if (!m_hooks.toolsWindowExists())
        return;
    if (now.date() != m_date)
        runDayChange(now);
    runTimeChanges(now);
    runIntervalTasks(now);

    if (const QString path = m_hooks.takeReceivedPath(); !path.isEmpty())
        m_hooks.installReceivedFile(path);
    m_hooks.checkRecordingSplit();
}

void MainLoop::runTimeChanges(const QDateTime& now)
{
    const QTime time = now.time();
    if (time.hour() != m_hour) {
        m_hour = time.hour();
        m_hooks.updateDayFacts();
        m_hooks.redrawMonth();
    }
    if (time.minute() != m_minute) {
        m_minute = time.minute();
        m_hooks.updateDayFacts();
    }
    m_hooks.checkChime();
}

void MainLoop::runIntervalTasks(const QDateTime& now)
{
    if (m_hooks.wallpaperTimerOn()
        && elapsedMinutes(IntervalTask::Wallpaper, now, m_hooks.wallpaperIntervalMinutes())) {
        // A change skipped for a busy processor waits a whole interval.
        ref(IntervalTask::Wallpaper) = now;
        if (!m_hooks.wallpaperCpuLimitOn() || m_hooks.cpuPercent() < m_hooks.wallpaperCpuLimit())
            m_hooks.changeWallpaper();
    }
    if (m_hooks.pingAutoCheckOn() && elapsedMinutes(IntervalTask::PingCheck, now, m_hooks.pingAutoCheckMinutes())) {
        ref(IntervalTask::PingCheck) = now;
        m_hooks.checkPingHosts();
    }
    if (m_hooks.mailAutoCheckOn() && elapsedMinutes(IntervalTask::MailCheck, now, m_hooks.mailAutoCheckMinutes())) {
        ref(IntervalTask::MailCheck) = now;
        m_hooks.checkMail();
    }
    autoHide(StatusWindow::Ping, IntervalTask::PingStatusHide, now);
    autoHide(StatusWindow::Mail, IntervalTask::MailStatusHide, now);
    if (m_hooks.autosaveOn() && elapsedMinutes(IntervalTask::Autosave, now, m_hooks.autosaveMinutes())) {
        ref(IntervalTask::Autosave) = now;
        m_hooks.autosave();
    }
    if (m_hooks.weatherAutoRefreshOn()
        && elapsedMinutes(IntervalTask::WeatherIcon, now, std::max(m_hooks.weatherAutoRefreshHours(), 1) * 60)) {
        ref(IntervalTask::WeatherIcon) = now;
        if (m_hooks.weatherRefreshAvailable())
            m_hooks.refreshWeather();
    }
    if (m_weatherScheduled && elapsed(IntervalTask::DelayedWeather, now, kDelayedWeatherMs)) {
        ref(IntervalTask::DelayedWeather) = now;
        if (m_hooks.weatherRefreshAvailable())
            m_hooks.refreshWeather();
    }
}

void MainLoop::autoHide(StatusWindow window, IntervalTask task, const QDateTime& now)
{
    if (!m_hooks.statusAutoHideOn(window) || !m_hooks.statusWindowShowing(window))
        return;
    if (!elapsed(task, now, qint64(std::max(m_hooks.statusAutoHideSeconds(window), 0)) * 1000))
        return;
    m_hooks.hideStatusWindow(window);
    ref(task) = now;
}

// --- 1000 ms ----------------------------------------------------------------

void MainLoop::tick3()
{
    if (m_closing)
        return;
    if (m_hooks.uptimePageShowing())
        m_hooks.refreshUptimePage();
    m_hooks.sampleCpu();
}

// --- 50 ms ------------------------------------------------------------------

void MainLoop::tick4()
{
    if (m_closing)
        return;
    m_fadeIn.step(m_hooks);

    // The local time is built only when the second changes or a start-up
    // task still waits: the idle tick then costs no time-zone work.
    const qint64 second = m_clock.epochMs() / 1000;
    if (second != m_clockSecond) {
        m_clockSecond = second;
        m_secondNow = m_clock.now();
        m_hooks.setClockText(m_secondNow.time().toString(QStringLiteral("HH:mm:ss")));
        m_hooks.zodiacDailyRefresh();
    }

    m_hooks.sampleMouse();
    m_hooks.sampleMemory();
    if (m_hooks.freeSpaceCardShowing())
        m_hooks.refreshFreeSpaceCard();

    // Retries are measured from an exact reference and need the exact time;
    // the one-shot tasks only need today's date.
    if (!m_startup.idle()) {
        const bool exact = m_startup.timeSyncRetryArmed() || m_startup.updateRetryArmed();
        m_startup.run(m_hooks, exact ? m_clock.now() : m_secondNow, m_fadeIn.complete());
    }
    moveMarker();
}

void MainLoop::moveMarker()
{
    if (!m_hooks.positionMarkerShowing()) {
        m_marker.reset();
        return;
    }
    const QPoint at = positionMarker(m_hooks.markerLayout());
    if (m_marker == at)
        return;
    m_marker = at;
    m_hooks.movePositionMarker(at);
}

// --- 200 ms -----------------------------------------------------------------

void MainLoop::tick5()
{
    if (m_closing)
        return;
    m_hooks.toggleScrollLock();
}

} // namespace zorvex

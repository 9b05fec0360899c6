#include "core/app/MainLoop.h"

#include "core/app/MainLoopInterval.h"
#include "core/app/MainLoopMarker.h"

#include <QRandomGenerator>

#include <algorithm>

namespace zorvex {

int msUntilNextSecond(qint64 epochMs)
{
    // A tick a little early (the timers and the wall clock drift apart) just
    // comes again a few milliseconds later.
    constexpr int kPast = 2;
    const qint64 within = ((epochMs % 1000) + 1000) % 1000;
    return int(1000 - within) + kPast;
}

MainLoop::MainLoop(const Clock& clock, ShellSurface& shell, RandomBelow random)
    : m_clock(clock)
    , m_shell(shell)
    , m_random(std::move(random))
{
    if (!m_random)
        m_random = [](int bound) { return int(QRandomGenerator::global()->bounded(bound)); };
    const QDateTime now = m_clock.now();
    m_date = now.date();
    m_hour = now.time().hour();
    m_minute = now.time().minute();
    m_refs.fill(now);
    const QRect area = m_shell.workArea();
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

std::vector<ShutdownFailure> MainLoop::shutdown(bool restoredBackup)
{
    m_closing = true;
    return runShutdown(m_services, m_clock.now().date(), restoredBackup);
}

// --- 100 ms -----------------------------------------------------------------

void MainLoop::secondTick()
{
    if (m_closing || !m_shell.toolsWindowExists())
        return;
    const qint64 second = m_clock.epochMs() / 1000;
    if (second == m_alarmSecond)
        return;
    m_alarmSecond = second;
    const QDateTime now = m_clock.now();
    for (SecondTickService* s : m_services.secondTicks())
        s->newSecond(now);
}

// --- 800 ms -----------------------------------------------------------------

void MainLoop::scheduleTick()
{
    if (m_closing)
        return;
    const QDateTime now = m_clock.now();
    m_shell.refreshForegroundFlag();

    const QRect area = m_shell.workArea();
    if (area.right() != m_workRight || area.bottom() != m_workBottom) {
        m_shell.relayoutMainWindow();
        m_workRight = area.right();
        m_workBottom = area.bottom();
    }

    if (m_trayClose) {
        QDateTime& armed = m_trayClose->armed;
        if (intervalElapsed(armed, now, m_trayClose->delayMs)) {
            const QString drive = m_trayClose->drive;
            m_trayClose.reset();
            if (DriveTrayService* trays = m_services.driveTrays())
                trays->closeDriveTray(drive);
        }
    }

    if (!m_shell.toolsWindowExists())
        return;
    if (now.date() != m_date)
        runDayChange(now);
    runTimeChanges(now);
    runIntervalTasks(now);

    if (const QString path = m_shell.takeReceivedPath(); !path.isEmpty())
        m_shell.installReceivedFile(path);
    m_services.runTick(TickStep::RecordingSplit, now);
}

void MainLoop::runTimeChanges(const QDateTime& now)
{
    const QTime time = now.time();
    if (time.hour() != m_hour) {
        m_hour = time.hour();
        for (ClockChangeService* s : m_services.clockChanges())
            s->hourChanged(now);
    }
    if (time.minute() != m_minute) {
        m_minute = time.minute();
        for (ClockChangeService* s : m_services.clockChanges())
            s->minuteChanged(now);
    }
    m_services.runTick(TickStep::Chime, now);
}

void MainLoop::runInterval(IntervalTask task, const QDateTime& now)
{
    IntervalService* service = m_services.interval(task);
    if (!service)
        return;
    const Interval interval = service->interval();
    if (!interval.on || !elapsed(task, now, interval.ms))
        return;
    ref(task) = now;
    service->runInterval(now);
}

void MainLoop::runIntervalTasks(const QDateTime& now)
{
    for (IntervalTask task : {IntervalTask::Wallpaper, IntervalTask::PingCheck, IntervalTask::MailCheck,
                              IntervalTask::PingStatusHide, IntervalTask::MailStatusHide, IntervalTask::Autosave,
                              IntervalTask::WeatherIcon})
        runInterval(task, now);
    if (m_weatherScheduled && elapsed(IntervalTask::DelayedWeather, now, kDelayedWeatherMs)) {
        ref(IntervalTask::DelayedWeather) = now;
        if (MidnightRefreshService* weather = m_services.midnightRefresh())
            weather->refreshIfAvailable();
    }
}

// --- 1000 ms ----------------------------------------------------------------

void MainLoop::statusTick()
{
    if (m_closing)
        return;
    const QDateTime now = m_clock.now();
    m_services.runTick(TickStep::UptimePage, now);
    m_services.runTick(TickStep::CpuSample, now);
}

// --- 50 ms ------------------------------------------------------------------

void MainLoop::fastTick()
{
    if (m_closing)
        return;
    m_fadeIn.step(m_shell);

    // The local time is built only when the second changes or a start-up
    // task still waits: the idle tick then costs no time-zone work.
    const qint64 second = m_clock.epochMs() / 1000;
    if (second != m_clockSecond) {
        m_clockSecond = second;
        m_secondNow = m_clock.now();
        m_shell.setClockText(m_secondNow.time().toString(QStringLiteral("HH:mm:ss")));
        m_services.runTick(TickStep::NewSecond, m_secondNow);
    }

    m_services.runTick(TickStep::MouseSample, m_secondNow);
    m_services.runTick(TickStep::MemorySample, m_secondNow);
    m_services.runTick(TickStep::FreeSpaceCard, m_secondNow);

    // Retries are measured from an exact reference and need the exact time;
    // the one-shot tasks only need today's date.
    if (!m_startup.idle()) {
        const bool exact = m_startup.timeSyncRetryArmed() || m_startup.updateRetryArmed();
        m_startup.run(m_services, exact ? m_clock.now() : m_secondNow, m_fadeIn.complete());
    }
    moveMarker();
}

int MainLoop::nextFastTickMs() const
{
    if (m_closing)
        return msUntilNextSecond(m_clock.epochMs());
    // Only the retries wait for a while; a second more makes no difference to them.
    const bool oneShotsWaiting = m_startup.pendingMask() != 0;
    if (!m_fadeIn.complete() || oneShotsWaiting || m_shell.positionMarkerShowing() || m_services.wantsFastTicks())
        return kFastTickMs;
    return msUntilNextSecond(m_clock.epochMs());
}

int MainLoop::nextSecondTickMs() const
{
    return msUntilNextSecond(m_clock.epochMs());
}

void MainLoop::moveMarker()
{
    if (!m_shell.positionMarkerShowing()) {
        m_marker.reset();
        return;
    }
    const QPoint at = positionMarker(m_shell.markerLayout());
    if (m_marker == at)
        return;
    m_marker = at;
    m_shell.movePositionMarker(at);
}

// --- 200 ms -----------------------------------------------------------------

void MainLoop::blinkTick()
{
    if (m_closing)
        return;
    m_services.runTick(TickStep::ScrollLock, m_clock.now());
}

} // namespace zorvex

#pragma once

#include "core/app/LoopRegistry.h"
#include "core/app/MainLoopFadeIn.h"
#include "core/app/Shutdown.h"
#include "core/app/StartupTasks.h"
#include "core/common/Clock.h"

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace zorvex {

// A whole number from 0 to bound − 1.
using RandomBelow = std::function<int(int bound)>;

// What the main window's five timers do, in their order. The timers only
// call the five ticks; the time comes from the clock, the shell's own steps
// go to its surface and every feature step to the services registered in
// services(), so the whole schedule runs under a fake clock.
class MainLoop {
public:
    static constexpr qint64 kDelayedWeatherMs = 300 * 1000;

    // Reads the clock once: the remembered date, hour and minute and every
    // interval reference start at this moment.
    MainLoop(const Clock& clock, ShellSurface& shell, RandomBelow random = {});

    // Where features register the steps they take part in.
    LoopRegistry& services() { return m_services; }
    const LoopRegistry& services() const { return m_services; }

    void secondTick();   // 100 ms: alarms once per second
    void scheduleTick(); // 800 ms: day, hour and minute changes, interval tasks
    void statusTick();   // 1000 ms: uptime page, CPU sample
    void fastTick();     // 50 ms: fade-in, clock, sampling, start-up tasks
    void blinkTick();    // 200 ms, only while new mail blinks Scroll Lock

    // The main window was shown for the first time: the fade-in begins.
    void mainWindowShown(const FadeInSettings& settings);
    // The first autosave interval starts when the Tools window is created.
    void toolsWindowCreated();

    // A tray close delayed by the CD/DVD hot key; a new one replaces it.
    void armTrayClose(const QString& drive, int delaySeconds);
    bool trayClosePending() const { return m_trayClose.has_value(); }

    // The delayed weather refresh repeats every 300 seconds from its
    // reference until cancelled by a weather icon shown successfully. A
    // reference 300 seconds in the past makes it run at the next check.
    void scheduleWeatherRefresh(const QDateTime& reference);
    void cancelWeatherRefresh() { m_weatherScheduled = false; }
    bool weatherRefreshScheduled() const { return m_weatherScheduled; }

    // The auto-hide delay of a status window counts from its showing.
    void statusWindowShown(StatusWindow window);

    void armTimeSyncRetry();
    void armUpdateRetry();
    // The user checked by hand: the automatic retry is not needed.
    void dropUpdateRetry() { m_startup.dropUpdateRetry(); }

    // A feature that ran its task by hand, or that keeps the last run time
    // itself (the weather icon's fetch time), moves the reference.
    void setReference(IntervalTask task, const QDateTime& time);
    QDateTime reference(IntervalTask task) const;

    // Stops every tick for good and runs the orderly shutdown.
    std::vector<ShutdownFailure> shutdown(bool restoredBackup);
    bool closing() const { return m_closing; }

    FadeIn& fadeIn() { return m_fadeIn; }
    const FadeIn& fadeIn() const { return m_fadeIn; }
    const StartupTasks& startupTasks() const { return m_startup; }
    QDate rememberedDate() const { return m_date; }

private:
    struct TrayClose {
        QString drive;
        qint64 delayMs;
        QDateTime armed;
    };

    QDateTime& ref(IntervalTask task) { return m_refs[std::size_t(task)]; }
    bool elapsed(IntervalTask task, const QDateTime& now, qint64 ms);
    bool elapsedMinutes(IntervalTask task, const QDateTime& now, int minutes);
    void runTimeChanges(const QDateTime& now);
    void runIntervalTasks(const QDateTime& now);
    void runInterval(IntervalTask task, const QDateTime& now);
    void runDayChange(const QDateTime& now);
    void moveMarker();

    const Clock& m_clock;
    ShellSurface& m_shell;
    LoopRegistry m_services;
    RandomBelow m_random;

    bool m_closing = false;
    qint64 m_alarmSecond = -1;
    qint64 m_clockSecond = -1;
    QDate m_date;
    QDateTime m_secondNow; // local time at the last new second of the 50 ms tick
    int m_hour = -1;
    int m_minute = -1;
    int m_workRight = 0;
    int m_workBottom = 0;
    std::array<QDateTime, kIntervalTaskCount> m_refs;
    bool m_weatherScheduled = false;
    std::optional<TrayClose> m_trayClose;
    std::optional<QPoint> m_marker;
    FadeIn m_fadeIn;
    StartupTasks m_startup;
};

} // namespace zorvex

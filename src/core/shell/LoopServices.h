#pragma once

#include <QDate>
#include <QDateTime>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <algorithm>

namespace zorvex {

// What a feature does on the main window's timers, at the day change, once
// after start-up and at the orderly shutdown. A feature service implements
// the interfaces of the steps it takes part in and registers itself with the
// main loop at those steps; the loop runs the steps in their fixed order and
// every service registered at a step. A feature that is absent is simply not
// registered, and a registered one is never passed over.

enum class StatusWindow { Ping, Mail };

// "Synchronizuj automatycznie przy uruchomieniu Zorvex" wins over
// "Synchronizuj automatycznie raz dziennie".
enum class TimeSyncMode { Off, AtStart, Daily };

// Where the position marker of the "Położenie" page is drawn from: the
// screen picture's top-left corner, the main window and the work area.
struct MarkerLayout {
    QPoint picture;
    QRect window;
    QSize workArea;
};

// What the fade-in changes on the main window.
class FadeTarget {
public:
    virtual ~FadeTarget() = default;
    virtual void setOpacity(int alpha) = 0;
    // The first step of a start "in the tray".
    virtual void hideMainWindow() = 0;
    virtual void switchAlphaBlendingOff() = 0;
};

// The shell's own part of the ticks: its two windows, the clock label, the
// position marker of the "Położenie" page and the slot a second start writes
// into. The shell always answers these itself.
class ShellSurface : public FadeTarget {
public:
    virtual bool toolsWindowExists() const = 0;
    virtual bool toolsWindowShowing() const = 0;
    // Whether the main window is the foreground window, for the tray click.
    virtual void refreshForegroundFlag() = 0;
    virtual QRect workArea() const = 0;
    // The work area changed: lay the window out and place it again.
    virtual void relayoutMainWindow() = 0;
    virtual void setClockText(const QString& hhmmss) = 0;
    virtual bool positionMarkerShowing() const = 0;
    virtual MarkerLayout markerLayout() const = 0;
    virtual void movePositionMarker(const QPoint& topLeft) = 0;
    // Empties the slot; the last writer wins.
    virtual QString takeReceivedPath() = 0;
    virtual void installReceivedFile(const QString& path) = 0;
};

// The 100 ms timer, once for every new second: alarms.
class SecondTickService {
public:
    virtual ~SecondTickService() = default;
    virtual void newSecond(const QDateTime& now) = 0;
};

// Hour and minute changes of the wall clock, seen by the 800 ms timer.
class ClockChangeService {
public:
    virtual ~ClockChangeService() = default;
    virtual void hourChanged(const QDateTime& now) = 0;
    virtual void minuteChanged(const QDateTime& now) = 0;
};

// Work done on every tick of a timer, at a fixed place in its order.
enum class TickStep {
    Chime,          // 800 ms, after the hour and minute changes
    RecordingSplit, // 800 ms, last
    UptimePage,     // 1000 ms
    CpuSample,      // 1000 ms
    NewSecond,      // 50 ms, when the clock label got a new second
    MouseSample,    // 50 ms
    MemorySample,   // 50 ms
    FreeSpaceCard,  // 50 ms
    ScrollLock,     // 200 ms, while new mail blinks the light
};
inline constexpr int kTickStepCount = 9;

class TickService {
public:
    virtual ~TickService() = default;
    virtual void tick(TickStep step, const QDateTime& now) = 0;
    // Whether the 50 ms tick has to keep coming for this service right now.
    // When nothing asks for it (and nothing else moves), the tick comes once
    // a second, at the clock's change. The mouse odometer samples at the
    // full rate; a service at that step tells whether it is switched on.
    virtual bool wantsFastTicks(TickStep step) const { return step == TickStep::MouseSample; }
};

// The steps of the day-change sequence that belong to features, in their
// order. The loop itself schedules the delayed weather refresh after the
// day facts and runs the autosave before the reminders.
enum class DayStep {
    DayFacts,
    TodaysMonth,
    ScrollingText,
    UptimeDay,
    WeatherDays,
    MouseCommit,   // under the previous date
    TrafficCommit, // under the previous date
    Reminders,
    MailCaption,
};
inline constexpr int kDayStepCount = 9;

struct DayChange {
    QDate previous; // the remembered date, which the day's counters belong to
    QDate today;
    QDateTime now;
};

class DayChangeService {
public:
    virtual ~DayChangeService() = default;
    virtual void dayChanged(DayStep step, const DayChange& change) = 0;
};

// A task that runs when its interval has passed since its last run.
struct Interval {
    bool on = false;
    qint64 ms = 0;

    // An interval of 0 minutes would run a network check or a wallpaper
    // change on every tick: the shortest is one minute.
    static Interval minutes(bool on, int minutes) { return {on, qint64(std::max(minutes, 1)) * 60 * 1000}; }
    static Interval seconds(bool on, int seconds) { return {on, qint64(std::max(seconds, 0)) * 1000}; }
};

class IntervalService {
public:
    virtual ~IntervalService() = default;
    // Asked on every 800 ms tick; a task switched off keeps its reference.
    virtual Interval interval() const = 0;
    // The reference has been set to `now` already.
    virtual void runInterval(const QDateTime& now) = 0;
};

// The weather icon's refresh a little after midnight, repeated every 300
// seconds until the icon has been shown.
class MidnightRefreshService {
public:
    virtual ~MidnightRefreshService() = default;
    // The weather icon and its automatic refresh are on.
    virtual bool refreshAfterMidnight() const = 0;
    // Refreshes when the refresh command is available.
    virtual void refreshIfAvailable() = 0;
};

// A task run once after start-up, when its turn comes in the 50 ms tick.
class StartupService {
public:
    virtual ~StartupService() = default;
    // False keeps the task waiting for a later tick.
    virtual bool readyAtStart() const = 0;
    // Runs once; the task's own options decide whether it does anything.
    virtual void runAtStart(const QDateTime& now) = 0;
};

// A silent run that failed arms its retry with the loop; the retry runs
// once its delay has passed and the feature's command is available.
class RetryService {
public:
    virtual ~RetryService() = default;
    virtual bool retryAvailable() const = 0;
    virtual void retry(const QDateTime& now) = 0;
};

// A drive tray closed after the delay armed by its hot key.
class DriveTrayService {
public:
    virtual ~DriveTrayService() = default;
    virtual void closeDriveTray(const QString& drive) = 0;
};

// The orderly shutdown, in its order. Every step runs in its own guard.
enum class ShutdownStepId {
    MarkClosing,
    UnloadSchemeFonts,
    StopTimers,
    // Skipped right after a settings restore, so the restored files stay:
    SavePlaylistResumePoint,
    SaveSettings,
    CloseSecondaryWindows,
    CommitMouseDistance, // under today's date
    CommitTraffic,       // under today's date
    DeleteAutosave,
    WriteExitValues,
    AbortNetworkWork,
    UnregisterHotKeys,
    StopRecording,
    // Always last.
    EndApplication,
};
inline constexpr int kShutdownStepCount = 14;

class ShutdownService {
public:
    virtual ~ShutdownService() = default;
    virtual void shutdownStep(ShutdownStepId step, const QDate& today) = 0;
};

} // namespace zorvex

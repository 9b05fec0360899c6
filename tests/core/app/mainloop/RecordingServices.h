#pragma once

#include "core/app/LoopRegistry.h"
#include "core/app/StartupTasks.h"
#include "core/common/Clock.h"
#include "core/shell/LoopServices.h"
#include "support/FakeClock.h"

#include <QSet>
#include <QStringList>

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace zorvex {

inline QStringList names(std::initializer_list<const char*> list)
{
    QStringList out;
    for (const char* n : list)
        out << QString::fromUtf8(n);
    return out;
}

// Plays every feature the loop can reach, registered at every step: answers
// the loop's questions from plain fields and writes every action it is asked
// for, with its argument, to `calls`. An action named in `throwing` throws
// after being recorded. Each feature checks its own options as the real
// services do.
class RecordingServices : public ShellSurface,
                          public SecondTickService,
                          public ClockChangeService,
                          public TickService,
                          public DayChangeService,
                          public MidnightRefreshService,
                          public DriveTrayService,
                          public ShutdownService {
public:
    QStringList calls;
    QSet<QString> throwing;
    const FakeClock* clock = nullptr;
    QList<QDateTime> autosaveTimes;
    QList<QDateTime> weatherRefreshTimes;

    bool tools = true;
    bool toolsShowing = false;
    QRect area{0, 0, 1920, 1040};
    bool wallpaperOn = false;
    int wallpaperMinutes = 1;
    bool cpuLimitOn = false;
    int cpuLimit = 50;
    int cpu = 0;
    bool pingOn = false;
    int pingMinutes = 1;
    bool mailOn = false;
    int mailMinutes = 1;
    bool hideOn[2] = {false, false};
    int hideSeconds[2] = {5, 5};
    bool statusShowing[2] = {false, false};
    bool autosaveEnabled = false;
    int autosaveMin = 10;
    bool weatherAuto = false;
    int weatherHours = 1;
    bool weatherAvailable = true;
    bool weatherMidnight = false;
    QString receivedSlot;
    bool mouseOn = false;
    bool trafficOn = false;
    bool uptimeShowing = false;
    bool freeSpaceShowing = false;
    bool pingAtStart = false;
    int pingHosts = 0;
    bool mailAtStart = false;
    int mailAccounts = 0;
    TimeSyncMode syncMode = TimeSyncMode::Off;
    QDate lastSync;
    bool syncAvailable = true;
    bool updateOn = false;
    bool updateWeekly = false;
    QDateTime lastUpdate;
    bool updateAvailable = true;
    bool resumeOn = false;
    int playlistEntries = 0;
    bool trayProtect = false;
    bool trayShown = true;
    bool radioOn = false;
    bool station = false;
    bool reminderWindows = false;
    bool markerShowing = false;
    MarkerLayout layout;
    bool playing = false;

    // Calls whose name (the text before "(") is one of `wanted`, in order.
    QStringList only(const QStringList& wanted) const
    {
        QStringList out;
        for (const QString& c : calls) {
            if (wanted.contains(c.section(QLatin1Char('('), 0, 0)))
                out << c;
        }
        return out;
    }
    QStringList only(std::initializer_list<const char*> wanted) const { return only(names(wanted)); }
    int count(const QString& name) const { return int(only(QStringList{name}).size()); }

    // Registers every part at its steps.
    void registerWith(LoopRegistry& r)
    {
        r.addSecondTick(*this);
        r.addClockChange(*this);
        for (int i = 0; i < kTickStepCount; ++i)
            r.addTick(TickStep(i), *this);
        for (int i = 0; i < kDayStepCount; ++i)
            r.addDayChange(DayStep(i), *this);
        for (int i = 0; i < kShutdownStepCount; ++i)
            r.addShutdown(ShutdownStepId(i), *this);
        r.setMidnightRefresh(*this);
        r.setDriveTrays(*this);

        addInterval(r, IntervalTask::Wallpaper, [this] { return Interval::minutes(wallpaperOn, wallpaperMinutes); },
                    [this] {
                        // A change skipped for a busy processor waits a whole interval.
                        if (!cpuLimitOn || cpu < cpuLimit)
                            rec(QStringLiteral("changeWallpaper"));
                    });
        addInterval(r, IntervalTask::PingCheck, [this] { return Interval::minutes(pingOn, pingMinutes); },
                    [this] { rec(QStringLiteral("checkPingHosts")); });
        addInterval(r, IntervalTask::MailCheck, [this] { return Interval::minutes(mailOn, mailMinutes); },
                    [this] { rec(QStringLiteral("checkMail")); });
        for (StatusWindow w : {StatusWindow::Ping, StatusWindow::Mail}) {
            addInterval(
                r, w == StatusWindow::Ping ? IntervalTask::PingStatusHide : IntervalTask::MailStatusHide,
                [this, w] { return Interval::seconds(hideOn[int(w)] && statusShowing[int(w)], hideSeconds[int(w)]); },
                [this, w] { rec(QStringLiteral("hideStatusWindow(%1)").arg(name(w))); });
        }
        addInterval(r, IntervalTask::Autosave, [this] { return Interval::minutes(autosaveEnabled, autosaveMin); },
                    [this] {
                        if (clock)
                            autosaveTimes << clock->now();
                        rec(QStringLiteral("autosave"));
                    });
        addInterval(r, IntervalTask::WeatherIcon,
                    [this] { return Interval::minutes(weatherAuto, std::max(weatherHours, 1) * 60); },
                    [this] { refreshIfAvailable(); });

        addStartup(r, StartupTasks::PingAtStart, [this](const QDateTime&) {
            if (pingAtStart && pingHosts > 0)
                rec(QStringLiteral("checkPingHosts"));
        });
        addStartup(r, StartupTasks::MailAtStart, [this](const QDateTime&) {
            if (mailAtStart && mailAccounts > 0)
                rec(QStringLiteral("checkMail"));
        });
        addStartup(r, StartupTasks::TimeSyncAtStart, [this](const QDateTime& now) { synchroniseAsConfigured(now); });
        addStartup(r, StartupTasks::UpdateCheckAtStart, [this](const QDateTime& now) {
            if (updateOn && updateCheckDue(updateWeekly, lastUpdate, now))
                rec(QStringLiteral("checkForUpdates"));
        });
        addStartup(r, StartupTasks::PlaylistAutoplay, [this](const QDateTime&) {
            if (resumeOn && playlistEntries > 0)
                rec(QStringLiteral("resumePlaylist"));
        });
        addStartup(r, StartupTasks::TrayIconProtection, [this](const QDateTime&) {
            if (trayProtect && trayShown)
                rec(QStringLiteral("protectTrayIcon"));
        });
        addStartup(r, StartupTasks::RadioAutoplay, [this](const QDateTime&) {
            if (radioOn && station)
                rec(QStringLiteral("autoplayRadio"));
        });
        addStartup(r, StartupTasks::PingStatusPreparation,
                   [this](const QDateTime&) { rec(QStringLiteral("prepareStatusWindow(ping)")); });
        addStartup(r, StartupTasks::MailStatusPreparation,
                   [this](const QDateTime&) { rec(QStringLiteral("prepareStatusWindow(mail)")); });
        addStartup(
            r, StartupTasks::RemindersAtStart, [this](const QDateTime&) { rec(QStringLiteral("evaluateReminders")); },
            [this] { return reminderWindows; });

        addRetry(r, RetryTask::TimeSync, [this] { return syncAvailable; },
                 [this](const QDateTime& now) { synchroniseAsConfigured(now); });
        addRetry(r, RetryTask::UpdateCheck, [this] { return updateOn && updateAvailable; },
                 [this](const QDateTime&) { rec(QStringLiteral("checkForUpdates")); });
    }

    // --- the shell's surface ---
    bool toolsWindowExists() const override { return tools; }
    bool toolsWindowShowing() const override { return toolsShowing; }
    void refreshForegroundFlag() override { rec(QStringLiteral("refreshForegroundFlag")); }
    QRect workArea() const override { return area; }
    void relayoutMainWindow() override { rec(QStringLiteral("relayoutMainWindow")); }
    void setOpacity(int alpha) override { rec(QStringLiteral("setOpacity(%1)").arg(alpha)); }
    void hideMainWindow() override { rec(QStringLiteral("hideMainWindow")); }
    void switchAlphaBlendingOff() override { rec(QStringLiteral("switchAlphaBlendingOff")); }
    void setClockText(const QString& text) override { rec(QStringLiteral("setClockText(%1)").arg(text)); }
    bool positionMarkerShowing() const override { return markerShowing; }
    MarkerLayout markerLayout() const override { return layout; }
    void movePositionMarker(const QPoint& p) override
    {
        rec(QStringLiteral("movePositionMarker(%1,%2)").arg(p.x()).arg(p.y()));
    }
    QString takeReceivedPath() override { return std::exchange(receivedSlot, QString()); }
    void installReceivedFile(const QString& path) override { rec(QStringLiteral("installReceivedFile(%1)").arg(path)); }

    // --- features ---
    void newSecond(const QDateTime&) override { rec(QStringLiteral("evaluateAlarms")); }
    void hourChanged(const QDateTime&) override
    {
        rec(QStringLiteral("updateDayFacts"));
        rec(QStringLiteral("redrawMonth"));
    }
    void minuteChanged(const QDateTime&) override { rec(QStringLiteral("updateDayFacts")); }
    bool wantsFastTicks(TickStep step) const override { return step == TickStep::MouseSample && mouseOn; }
    void tick(TickStep step, const QDateTime&) override
    {
        switch (step) {
        case TickStep::Chime: rec(QStringLiteral("checkChime")); break;
        case TickStep::RecordingSplit: rec(QStringLiteral("checkRecordingSplit")); break;
        case TickStep::UptimePage:
            if (uptimeShowing)
                rec(QStringLiteral("refreshUptimePage"));
            break;
        case TickStep::CpuSample: rec(QStringLiteral("sampleCpu")); break;
        case TickStep::NewSecond: rec(QStringLiteral("zodiacDailyRefresh")); break;
        case TickStep::MouseSample: rec(QStringLiteral("sampleMouse")); break;
        case TickStep::MemorySample: rec(QStringLiteral("sampleMemory")); break;
        case TickStep::FreeSpaceCard:
            if (freeSpaceShowing)
                rec(QStringLiteral("refreshFreeSpaceCard"));
            break;
        case TickStep::ScrollLock: rec(QStringLiteral("toggleScrollLock")); break;
        }
    }
    void dayChanged(DayStep step, const DayChange& change) override
    {
        switch (step) {
        case DayStep::DayFacts: rec(QStringLiteral("updateDayFacts")); break;
        case DayStep::TodaysMonth: rec(QStringLiteral("showTodaysMonth")); break;
        case DayStep::ScrollingText: rec(QStringLiteral("rebuildScrollingText")); break;
        case DayStep::UptimeDay: rec(QStringLiteral("startUptimeDay")); break;
        case DayStep::WeatherDays: rec(QStringLiteral("rebuildWeatherDays")); break;
        case DayStep::MouseCommit:
            if (mouseOn)
                rec(QStringLiteral("commitMouseDistance(%1)").arg(iso(change.previous)));
            break;
        case DayStep::TrafficCommit:
            if (trafficOn)
                rec(QStringLiteral("commitTraffic(%1)").arg(iso(change.previous)));
            break;
        case DayStep::Reminders:
            rec(QStringLiteral("resetRemindersShownToday"));
            rec(QStringLiteral("evaluateReminders"));
            break;
        case DayStep::MailCaption: rec(QStringLiteral("refreshMailCheckCaption")); break;
        }
    }
    bool refreshAfterMidnight() const override { return weatherMidnight; }
    void refreshIfAvailable() override
    {
        if (!weatherAvailable)
            return;
        if (clock)
            weatherRefreshTimes << clock->now();
        rec(QStringLiteral("refreshWeather"));
    }
    void closeDriveTray(const QString& drive) override { rec(QStringLiteral("closeDriveTray(%1)").arg(drive)); }
    void shutdownStep(ShutdownStepId step, const QDate& today) override
    {
        switch (step) {
        case ShutdownStepId::SavePlaylistResumePoint:
            if (playing && resumeOn)
                rec(QStringLiteral("savePlaylistResumePoint"));
            return;
        case ShutdownStepId::SaveSettings:
            if (toolsShowing)
                rec(QStringLiteral("saveSettings"));
            return;
        case ShutdownStepId::CommitMouseDistance:
            if (mouseOn)
                rec(QStringLiteral("commitMouseDistance(%1)").arg(iso(today)));
            return;
        case ShutdownStepId::CommitTraffic:
            if (trafficOn)
                rec(QStringLiteral("commitTraffic(%1)").arg(iso(today)));
            return;
        default: rec(shutdownName(step));
        }
    }

private:
    class IntervalPart : public IntervalService {
    public:
        IntervalPart(std::function<Interval()> interval, std::function<void()> run)
            : m_interval(std::move(interval))
            , m_run(std::move(run))
        {
        }
        Interval interval() const override { return m_interval(); }
        void runInterval(const QDateTime&) override { m_run(); }

    private:
        std::function<Interval()> m_interval;
        std::function<void()> m_run;
    };
    class StartupPart : public StartupService {
    public:
        StartupPart(std::function<void(const QDateTime&)> run, std::function<bool()> ready)
            : m_run(std::move(run))
            , m_ready(std::move(ready))
        {
        }
        bool readyAtStart() const override { return !m_ready || m_ready(); }
        void runAtStart(const QDateTime& now) override { m_run(now); }

    private:
        std::function<void(const QDateTime&)> m_run;
        std::function<bool()> m_ready;
    };
    class RetryPart : public RetryService {
    public:
        RetryPart(std::function<bool()> available, std::function<void(const QDateTime&)> run)
            : m_available(std::move(available))
            , m_run(std::move(run))
        {
        }
        bool retryAvailable() const override { return m_available(); }
        void retry(const QDateTime& now) override { m_run(now); }

    private:
        std::function<bool()> m_available;
        std::function<void(const QDateTime&)> m_run;
    };

    void addInterval(LoopRegistry& r, IntervalTask task, std::function<Interval()> interval,
                     std::function<void()> run)
    {
        m_intervals.push_back(std::make_unique<IntervalPart>(std::move(interval), std::move(run)));
        r.setInterval(task, *m_intervals.back());
    }
    void addStartup(LoopRegistry& r, StartupTasks::Task task, std::function<void(const QDateTime&)> run,
                    std::function<bool()> ready = {})
    {
        m_startups.push_back(std::make_unique<StartupPart>(std::move(run), std::move(ready)));
        r.addStartup(task, *m_startups.back());
    }
    void addRetry(LoopRegistry& r, RetryTask task, std::function<bool()> available,
                  std::function<void(const QDateTime&)> run)
    {
        m_retries.push_back(std::make_unique<RetryPart>(std::move(available), std::move(run)));
        r.setRetry(task, *m_retries.back());
    }
    void synchroniseAsConfigured(const QDateTime& now)
    {
        switch (timeSyncAtStart(syncMode, lastSync, now.date())) {
        case TimeSyncRun::Now: rec(QStringLiteral("synchroniseTime(now)")); break;
        case TimeSyncRun::Daily: rec(QStringLiteral("synchroniseTime(daily)")); break;
        case TimeSyncRun::None: break;
        }
    }
    static QString shutdownName(ShutdownStepId step);
    static QString name(StatusWindow w) { return w == StatusWindow::Ping ? QStringLiteral("ping") : QStringLiteral("mail"); }
    static QString iso(const QDate& d) { return d.toString(Qt::ISODate); }
    void rec(const QString& call)
    {
        calls << call;
        if (throwing.contains(call.section(QLatin1Char('('), 0, 0)))
            throw std::runtime_error("awaria " + call.toStdString());
    }

    std::vector<std::unique_ptr<IntervalPart>> m_intervals;
    std::vector<std::unique_ptr<StartupPart>> m_startups;
    std::vector<std::unique_ptr<RetryPart>> m_retries;
};

} // namespace zorvex

#include "core/app/Shutdown.h"

inline QString zorvex::RecordingServices::shutdownName(ShutdownStepId step)
{
    return shutdownStepName(step);
}

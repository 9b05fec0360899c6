#pragma once

#include "core/shell/LoopServices.h"
#include "core/shell/StatusValues.h"
#include "core/status/GaugePanel.h"
#include "core/status/MouseOdometer.h"
#include "core/status/StatusAutosave.h"
#include "core/status/TrafficMonitor.h"
#include "core/status/UptimeLog.h"

#include <QObject>

#include <functional>

namespace zorvex {

class Clock;
class DriveSource;
class PathTable;
struct Settings;

// Where the statistics and gauges read the machine; the program passes the
// Linux sources, tests the fakes. They outlive the service.
struct StatusSourceSet {
    UptimeRecordSource& records;
    PointerSource& pointer;
    NetInterfaceSource& interfaces;
    CpuTimesSource& cpu;
    MemorySource& memory;
    DriveSource& drives;
};

// The system statistics and gauges as the running program has them: the
// uptime log, the mouse odometer, the traffic monitor and the resource
// gauges on the main loop's steps, the day-change and shutdown commits, the
// autosave record's counters and the tray's live values. The pages and
// windows follow its signals.
class StatusService : public QObject,
                      public TickService,
                      public DayChangeService,
                      public ShutdownService,
                      public StatusValues {
    Q_OBJECT
public:
    StatusService(const Clock& clock, const PathTable& paths, Settings& settings, StatusSourceSet sources,
                  QObject* parent = nullptr);
    ~StatusService() override;

    // At the creation of the Tools window: a record left by a crash hands
    // its run and counters over (when the autosave is on), then the runs of
    // the login records are imported and counting begins. False when the
    // running-time files could not be read whole or written: they are kept
    // as they were and the new runs are not added.
    bool start(const QString& autosavePath, bool autosaveOn);

    const AutosaveSource& autosaveSource() const { return m_autosave; }
    AutosaveSink& autosaveSink() { return m_autosave; }

    // A "Statystyka aktywna" or gauge option changed: counting starts from
    // the pointer's present place, the traffic records stop or resume, the
    // gauges refill every row.
    void applyOptions();

    UptimeLog& uptime() { return m_uptime; }
    MouseOdometer& mouse() { return m_mouse; }
    TrafficMonitor& trafficMonitor() { return m_traffic; }
    GaugePanel& gauges() { return m_gauges; }
    DriveSource& drives() { return m_drives; }
    const Settings& settings() const { return m_settings; }
    QDate today() const;
    QString siecPath() const { return m_siecPath; }

    // Closes the statistics' own windows at the shutdown.
    std::function<void()> closeWindows;

    // The loop's steps.
    void tick(TickStep step, const QDateTime& now) override;
    // The 50 ms tick runs for the mouse only while the odometer counts.
    bool wantsFastTicks(TickStep step) const override;
    void dayChanged(DayStep step, const DayChange& change) override;
    void shutdownStep(ShutdownStepId step, const QDate& today) override;

    // The tray icon's and hint's values.
    bool provides(StatusFeature f) const override;
    std::optional<MemoryFigures> ram() const override;
    std::optional<MemoryFigures> swap() const override;
    std::optional<int> cpuPercent() const override;
    bool trafficStatisticOn() const override;
    std::optional<TrafficFigures> traffic() const override;
    std::optional<QString> uptimeText() const override;

signals:
    // Once a second: the live label of the current run.
    void uptimeSecond();
    // After a mouse sample that moved the count.
    void mouseMoved();
    // After each traffic sample; `listChanged` when interfaces came or went.
    void trafficSampled(bool listChanged);
    // Rows (bit r-1 for row r) whose value or colours changed.
    void gaugesChanged(unsigned rows);
    // A CPU sample went into the one-minute history.
    void historyStepped();
    // The stored days changed (a commit or the day change): pages reload.
    void daysChanged();

private:
    GaugeOptions gaugeOptions() const;

    const Clock& m_clock;
    Settings& m_settings;
    DriveSource& m_drives;
    QString m_siecPath;
    UptimeLog m_uptime;
    MouseOdometer m_mouse;
    TrafficMonitor m_traffic;
    GaugePanel m_gauges;
    StatusAutosave m_autosave;
    bool m_mouseWasOn = false;
    bool m_started = false;
};

} // namespace zorvex

#include "ui/status/StatusService.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/shell/Autosave.h"

namespace zorvex {

StatusService::StatusService(const Clock& clock, const PathTable& paths, Settings& settings, StatusSourceSet sources,
                             QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_settings(settings)
    , m_drives(sources.drives)
    , m_siecPath(paths.path(PathId::Siec))
    , m_uptime(clock, sources.records, paths.path(PathId::Czas), paths.path(PathId::Czas2))
    , m_mouse(clock, sources.pointer, paths.path(PathId::Ruch))
    , m_traffic(clock, sources.interfaces)
    , m_gauges(sources.memory, sources.cpu)
    , m_autosave(clock, m_uptime, m_mouse, m_traffic, settings.czas, settings.ruchMyszy, settings.siec, m_siecPath)
{
    m_gauges.setOptions(gaugeOptions());
}

StatusService::~StatusService() = default;

QDate StatusService::today() const
{
    return m_clock.now().date();
}

bool StatusService::start(const QString& autosavePath, bool autosaveOn)
{
    // The record goes first: its run is what pairs a start without an end.
    if (autosaveOn)
        recoverAutosave(autosavePath, m_autosave);
    bool imported = true;
    if (m_settings.czas.active)
        imported = !m_uptime.importRuns().failed;
    else
        m_uptime.loadDays();
    m_mouse.loadDays();
    m_mouse.begin();
    m_mouseWasOn = m_settings.ruchMyszy.active;
    // Never chosen yet: the first interface with an address of its own
    // rather than whatever sits at position 0 (the loopback).
    const bool chosenBefore = !m_settings.siec.mac.trimmed().isEmpty();
    m_traffic.chooseAtStart(m_settings.siec.mac, chosenBefore ? m_settings.siec.interfacePosition : -1);
    m_traffic.setCounting(m_settings.siec.active);
    if (m_settings.siec.active)
        m_traffic.sample(); // the counters as they stand are the baseline
    // The rows show figures from the first moment; the processor's first
    // reading is the base of its first use.
    m_gauges.sampleMemory();
    m_gauges.sampleCpu();
    m_started = true;
    return imported;
}

GaugeOptions StatusService::gaugeOptions() const
{
    const MainWindowSettings& s = m_settings.main;
    GaugeOptions o;
    o.rows = s.infoRows;
    o.ramShowsFree = s.ramPanelShowsFree;
    o.swapShowsFree = s.swapPanelShowsFree;
    o.shaded = s.shadedGauges;
    o.upperShown = s.memoryPanelsVisible;
    o.lowerShown = s.cpuPanelVisible;
    o.historyOn = s.chartsActive;
    o.colours.red = s.gaugeLowColour;
    o.colours.yellow = s.gaugeMiddleColour;
    o.colours.green = s.gaugeHighColour;
    o.colours.background = s.infoPanelBackground;
    return o;
}

void StatusService::applyOptions()
{
    m_gauges.setOptions(gaugeOptions());
    const bool mouseOn = m_settings.ruchMyszy.active;
    if (mouseOn && !m_mouseWasOn)
        m_mouse.begin(); // no jump from where the pointer was when it stopped
    m_mouseWasOn = mouseOn;
    m_traffic.setCounting(m_settings.siec.active);
    emit gaugesChanged(0b111);
}

void StatusService::tick(TickStep step, const QDateTime&)
{
    switch (step) {
    case TickStep::UptimePage:
        if (m_settings.czas.active)
            emit uptimeSecond();
        // The traffic sampler runs on the same one-second beat.
        if (m_settings.siec.active && m_started) {
            const bool listChanged = m_traffic.sample();
            if (const TrafficRecord* r = m_traffic.chosenRecord()) {
                m_settings.siec.mac = r->mac;
                m_settings.siec.interfacePosition = m_traffic.chosen();
            }
            emit trafficSampled(listChanged);
        }
        break;
    case TickStep::CpuSample:
        if (const unsigned rows = m_gauges.sampleCpu())
            emit gaugesChanged(rows);
        if (m_settings.main.chartsActive && m_gauges.cpuUse())
            emit historyStepped();
        break;
    case TickStep::MouseSample:
        if (m_settings.ruchMyszy.active) {
            if (!m_mouseWasOn) {
                m_mouse.begin();
                m_mouseWasOn = true;
            }
            const qint64 before = m_mouse.travel();
            m_mouse.sample();
            if (m_mouse.travel() != before)
                emit mouseMoved();
        } else {
            m_mouseWasOn = false;
        }
        break;
    case TickStep::MemorySample:
        if (const unsigned rows = m_gauges.sampleMemory())
            emit gaugesChanged(rows);
        break;
    default: break;
    }
}

void StatusService::dayChanged(DayStep step, const DayChange& change)
{
    switch (step) {
    case DayStep::UptimeDay:
        m_uptime.startDay();
        emit daysChanged();
        break;
    case DayStep::MouseCommit:
        if (m_settings.ruchMyszy.active) {
            m_mouse.commitDay(change.previous);
            emit daysChanged();
        }
        break;
    case DayStep::TrafficCommit:
        if (m_settings.siec.active) {
            // Up to the last byte before the change, and the new day's
            // records start from the counters as they stand now.
            m_traffic.sample();
            m_traffic.commitDay(m_siecPath, change.previous);
            m_traffic.sample();
            emit daysChanged();
        }
        break;
    default: break;
    }
}

void StatusService::shutdownStep(ShutdownStepId step, const QDate& today)
{
    switch (step) {
    case ShutdownStepId::CloseSecondaryWindows:
        if (closeWindows)
            closeWindows();
        break;
    case ShutdownStepId::CommitMouseDistance:
        if (m_settings.ruchMyszy.active)
            m_mouse.commitDay(today);
        break;
    case ShutdownStepId::CommitTraffic:
        if (m_settings.siec.active && m_started) {
            m_traffic.sample();
            // Dropping the records afterwards makes a second commit add nothing.
            m_traffic.commitDay(m_siecPath, today);
        }
        break;
    default: break;
    }
}

bool StatusService::provides(StatusFeature f) const
{
    return f == StatusFeature::Gauges || f == StatusFeature::Traffic || f == StatusFeature::Uptime;
}

std::optional<MemoryFigures> StatusService::ram() const
{
    if (const auto m = m_gauges.memory())
        return m->ram;
    return std::nullopt;
}

std::optional<MemoryFigures> StatusService::swap() const
{
    if (const auto m = m_gauges.memory())
        return m->swap;
    return std::nullopt;
}

std::optional<int> StatusService::cpuPercent() const
{
    return m_gauges.cpuPercent();
}

bool StatusService::trafficStatisticOn() const
{
    return m_settings.siec.active;
}

std::optional<TrafficFigures> StatusService::traffic() const
{
    if (!m_settings.siec.active)
        return std::nullopt;
    return m_traffic.figures();
}

std::optional<QString> StatusService::uptimeText() const
{
    return m_settings.czas.active ? m_uptime.currentRunText() : QString();
}

bool StatusService::wantsFastTicks(TickStep step) const
{
    return step == TickStep::MouseSample && m_settings.ruchMyszy.active;
}

} // namespace zorvex

#include "app/ShellServices.h"

#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/app/TrayIconModel.h"
#include "core/common/PathTable.h"
#include "core/shell/Autosave.h"
#include "platform/SystemServices.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/tools/ToolsWindow.h"

namespace zorvex {
namespace {

// Without the statistics the record carries the start of this run and zero
// counters.
class StartOnlySource : public AutosaveSource {
public:
    explicit StartOnlySource(DayTime start)
        : m_start(start)
    {
    }
    DayTime sessionStart() const override { return m_start; }
    qint64 mouseToday() const override { return 0; }
    qint64 receivedToday() const override { return 0; }
    qint64 sentToday() const override { return 0; }

private:
    DayTime m_start;
};

} // namespace

ShellServices::ShellServices(Settings& settings, const PathTable& paths, SettingsStore& store, SystemServices& system,
                             MainWindow& main, ToolsWindow& tools, const QDateTime& startedAt, Links links)
    : m_settings(settings)
    , m_paths(paths)
    , m_store(store)
    , m_system(system)
    , m_main(main)
    , m_tools(tools)
    , m_startedAt(startedAt)
    , m_links(std::move(links))
{
}

void ShellServices::saveSettings()
{
    m_tools.writeToSettings();
    m_store.save(m_settings);
    m_system.trimWorkingSet();
}

void ShellServices::writeAutosave()
{
    const StartOnlySource startOnly(toDayTime(m_startedAt));
    const AutosaveSource& source = m_autosaveSource ? *m_autosaveSource : startOnly;
    zorvex::writeAutosave(m_paths.path(PathId::Autozapis), source, toDayTime(QDateTime::currentDateTime()));
}

bool ShellServices::toolsWindowExists() const
{
    return true;
}

bool ShellServices::toolsWindowShowing() const
{
    return m_tools.isVisible();
}

void ShellServices::refreshForegroundFlag()
{
    m_main.refreshForegroundFlag();
}

QRect ShellServices::workArea() const
{
    return m_main.workArea();
}

void ShellServices::relayoutMainWindow()
{
    m_main.relayout();
    m_main.applyPlacement();
}

void ShellServices::setOpacity(int alpha)
{
    m_main.setOpacityLevel(alpha);
}

void ShellServices::hideMainWindow()
{
    m_main.hideToTray();
}

void ShellServices::switchAlphaBlendingOff()
{
    m_main.switchAlphaBlendingOff();
}

void ShellServices::setClockText(const QString& hhmmss)
{
    m_main.setClockText(hhmmss);
}

// The "Położenie" page moves its own marker from the 50 ms timer.
bool ShellServices::positionMarkerShowing() const
{
    return false;
}

MarkerLayout ShellServices::markerLayout() const
{
    return {};
}

void ShellServices::movePositionMarker(const QPoint&) {}

QString ShellServices::takeReceivedPath()
{
    return m_links.takeReceivedPath ? m_links.takeReceivedPath() : QString();
}

void ShellServices::installReceivedFile(const QString& path)
{
    if (m_links.install)
        m_links.install(path);
}

Interval ShellServices::interval() const
{
    return Interval::minutes(m_settings.tools.autoSave, m_settings.tools.autoSaveMinutes);
}

void ShellServices::runInterval(const QDateTime&)
{
    writeAutosave();
}

void ShellServices::runAtStart(const QDateTime&)
{
    if (m_settings.main.trayIconProtect && hasTrayIcon(m_settings.main.trayIconKind) && m_main.trayIcon())
        m_main.trayIcon()->reinstall();
}

void ShellServices::shutdownStep(ShutdownStepId step, const QDate&)
{
    switch (step) {
    case ShutdownStepId::MarkClosing: m_closing = true; break;
    case ShutdownStepId::StopTimers:
        if (m_links.stopTimers)
            m_links.stopTimers();
        break;
    case ShutdownStepId::SaveSettings:
        if (toolsWindowShowing())
            saveSettings();
        break;
    case ShutdownStepId::DeleteAutosave: deleteAutosave(m_paths.path(PathId::Autozapis)); break;
    case ShutdownStepId::WriteExitValues: {
        ExitValues exit;
        exit.positionX = m_main.x();
        exit.positionY = m_main.y();
        m_store.writeExitValues(exit);
        break;
    }
    default: break;
    }
}

} // namespace zorvex

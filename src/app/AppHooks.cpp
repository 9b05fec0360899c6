#include "app/AppHooks.h"

#include "core/app/Settings.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"

namespace zorvex {

AppHooks::AppHooks(Settings& settings, Actions actions)
    : m_settings(settings)
    , m_actions(std::move(actions))
{
}

void AppHooks::setWindows(MainWindow* main, ToolsWindow* tools)
{
    m_main = main;
    m_tools = tools;
}

bool AppHooks::toolsWindowExists() const
{
    return m_tools != nullptr;
}

bool AppHooks::toolsWindowShowing() const
{
    return m_tools && m_tools->isVisible();
}

void AppHooks::evaluateAlarms()
{
    if (m_actions.evaluateAlarms)
        m_actions.evaluateAlarms();
}

void AppHooks::checkChime()
{
    if (m_actions.checkChime)
        m_actions.checkChime();
}

void AppHooks::refreshForegroundFlag()
{
    if (m_main)
        m_main->refreshForegroundFlag();
}

QRect AppHooks::workArea() const
{
    return m_main ? m_main->workArea() : QRect();
}

void AppHooks::relayoutMainWindow()
{
    if (m_main) {
        m_main->relayout();
        m_main->applyPlacement();
    }
}

bool AppHooks::autosaveOn() const
{
    return m_settings.tools.autoSave;
}

int AppHooks::autosaveMinutes() const
{
    return m_settings.tools.autoSaveMin;
}

void AppHooks::autosave()
{
    if (m_actions.autosave)
        m_actions.autosave();
}

void AppHooks::updateDayFacts()
{
    if (m_calendar)
        m_calendar->updateDayFacts(true);
}

void AppHooks::redrawMonth()
{
    if (m_calendar)
        m_calendar->redrawCalendar(false);
}

void AppHooks::showTodaysMonth()
{
    if (m_calendar)
        m_calendar->redrawCalendar(true);
}

void AppHooks::rebuildScrollingText()
{
    if (m_calendar)
        m_calendar->rebuildDayText();
}

QString AppHooks::takeReceivedPath()
{
    return m_actions.takeReceivedPath ? m_actions.takeReceivedPath() : QString();
}

void AppHooks::installReceivedFile(const QString& path)
{
    if (m_actions.install)
        m_actions.install(path);
}

void AppHooks::setOpacity(int alpha)
{
    if (m_main)
        m_main->setOpacityLevel(alpha);
}

void AppHooks::hideMainWindow()
{
    if (m_main)
        m_main->hideToTray();
}

void AppHooks::switchAlphaBlendingOff()
{
    if (m_main)
        m_main->switchAlphaBlendingOff();
}

void AppHooks::setClockText(const QString& hhmmss)
{
    if (m_main)
        m_main->setClockText(hhmmss);
}

void AppHooks::zodiacDailyRefresh()
{
    if (m_actions.zodiacDailyRefresh)
        m_actions.zodiacDailyRefresh();
}

void AppHooks::resetRemindersShownToday()
{
    if (m_actions.dayStartedForReminders)
        m_actions.dayStartedForReminders();
}

void AppHooks::evaluateReminders()
{
    if (m_actions.evaluateReminders)
        m_actions.evaluateReminders();
}

bool AppHooks::reminderWindowsExist() const { return bool(m_actions.evaluateReminders); }

bool AppHooks::trayIconProtectOn() const
{
    return m_settings.main.trayIconProtect;
}

bool AppHooks::trayIconShown() const
{
    return hasTrayIcon(m_settings.main.kolorTN);
}

void AppHooks::protectTrayIcon()
{
    if (m_main && m_main->trayIcon())
        m_main->trayIcon()->reinstall();
}

void AppHooks::markClosing()
{
    m_closing = true;
}

void AppHooks::stopTimers()
{
    if (m_actions.stopTimers)
        m_actions.stopTimers();
}

void AppHooks::saveSettings()
{
    if (m_actions.saveSettings)
        m_actions.saveSettings();
}

void AppHooks::deleteAutosave()
{
    if (m_actions.deleteAutosave)
        m_actions.deleteAutosave();
}

void AppHooks::writeExitValues()
{
    if (m_actions.writeExitValues)
        m_actions.writeExitValues();
}

} // namespace zorvex

#pragma once

#include "core/app/MainLoopHooks.h"

#include <functional>

namespace zorvex {

class CalendarView;
class MainWindow;
class ToolsWindow;
struct Settings;

// Connects the main loop and the shutdown to the windows and the settings.
// Features that do not exist yet keep the harmless defaults of ShellHooks;
// each later feature overrides its own methods here.
class AppHooks : public ShellHooks {
public:
    struct Actions {
        std::function<QString()> takeReceivedPath;
        std::function<void(const QString&)> install;
        std::function<void()> autosave;
        std::function<void()> saveSettings;
        std::function<void()> deleteAutosave;
        std::function<void()> writeExitValues;
        std::function<void()> stopTimers;
        std::function<void()> zodiacDailyRefresh;
        std::function<void()> evaluateAlarms;
        std::function<void()> checkChime;
        std::function<void()> dayStartedForReminders;
        std::function<void()> evaluateReminders;
    };

    AppHooks(Settings& settings, Actions actions);

    void setWindows(MainWindow* main, ToolsWindow* tools);
    void setCalendar(CalendarView* calendar) { m_calendar = calendar; }
    bool closing() const { return m_closing; }

    bool toolsWindowExists() const override;
    bool toolsWindowShowing() const override;

    void evaluateAlarms() override;
    void checkChime() override;

    void refreshForegroundFlag() override;
    QRect workArea() const override;
    void relayoutMainWindow() override;

    bool autosaveOn() const override;
    int autosaveMinutes() const override;
    void autosave() override;

    void updateDayFacts() override;
    void redrawMonth() override;
    void showTodaysMonth() override;
    void rebuildScrollingText() override;

    QString takeReceivedPath() override;
    void installReceivedFile(const QString& path) override;

    void setOpacity(int alpha) override;
    void hideMainWindow() override;
    void switchAlphaBlendingOff() override;
    void setClockText(const QString& hhmmss) override;
    void zodiacDailyRefresh() override;
    void resetRemindersShownToday() override;
    void evaluateReminders() override;
    bool reminderWindowsExist() const override;

    bool trayIconProtectOn() const override;
    bool trayIconShown() const override;
    void protectTrayIcon() override;

    void markClosing() override;
    void stopTimers() override;
    void saveSettings() override;
    void deleteAutosave() override;
    void writeExitValues() override;

private:
    Settings& m_settings;
    Actions m_actions;
    MainWindow* m_main = nullptr;
    ToolsWindow* m_tools = nullptr;
    CalendarView* m_calendar = nullptr;
    bool m_closing = false;
};

} // namespace zorvex

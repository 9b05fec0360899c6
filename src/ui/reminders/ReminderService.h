#pragma once

#include "core/reminders/DailyCheck.h"
#include "core/shell/LoopServices.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QDate;
class QWidget;

namespace zorvex {

class Prompts;

class SystemServices;

class Clock;
class PathTable;
class ReminderPages;
class SettingsStore;
class TodayWindow;
class UpcomingSettingsDialog;
class UpcomingWindow;
struct Settings;

// Birthdays, name days, important and private days as the running program
// has them: the three Tools pages, the once-a-day check with its "Ważny
// dzień" and "Ważne daty - powiadomienie" windows, and the settings window
// of the latter. The lists are read from their files for every check, so
// what the pages wrote is what the windows announce.
class ReminderService : public QObject, public DayChangeService, public StartupService {
    Q_OBJECT
public:
    ReminderService(const Clock& clock, const PathTable& paths, Settings& settings, const SettingsStore& store,
                    Prompts& prompts, bool updatedStart, QObject* parent = nullptr);
    ~ReminderService() override;

    ReminderPages* pages() const { return m_pages; }
    // The main window the upcoming-dates window docks to, and the Tools
    // window the settings window is opened over.
    void setWindows(QWidget* mainWindow, QWidget* toolsWindow);
    // The desktop services the windows use (the information sound).
    void setSystemServices(SystemServices* system) { m_system = system; }

    // The automatic check: after start-up once the main window has appeared,
    // and after every date change. Runs at most once per run state.
    void evaluate();
    // A new date: the check may run again and the nearest panels move on.
    void dayStarted();
    // The day change: a new date, then the check.
    void dayChanged(DayStep step, const DayChange& change) override;
    // The check at start waits until the windows it may show exist.
    bool readyAtStart() const override;
    void runAtStart(const QDateTime& now) override;
    // "Powiadomienie" of the menu and "Testuj powiadomienie": the upcoming
    // dates whatever the once-a-day rules say.
    void showUpcomingNow();
    // "Codzienne powiadomienie" on the pages.
    void openSettingsWindow();

    ReminderCheckState checkState() const { return m_check.state(); }
    UpcomingWindow* upcomingWindow() const { return m_upcoming.get(); }
    TodayWindow* todayWindow() const { return m_today.get(); }
    UpcomingSettingsDialog* settingsWindow() const { return m_settingsWindow.get(); }

signals:
    // A list or a calendar-panel switch changed: redraw the month.
    void remindersChanged();

private:
    void run(bool automatic);
    DailyCheckSettings checkSettings();
    void todayWindowClosed(bool silenced);
    void writeVuzuvuredKeys();

    const Clock& m_clock;
    const PathTable& m_paths;
    Settings& m_settings;
    const SettingsStore& m_store;
    Prompts& m_prompts;
    DailyReminderCheck m_check;
    ReminderPages* m_pages = nullptr; // owned by the Tools window once placed there
    std::unique_ptr<TodayWindow> m_today;
    std::unique_ptr<UpcomingWindow> m_upcoming;
    std::unique_ptr<UpcomingSettingsDialog> m_settingsWindow;
    QPointer<QWidget> m_mainWindow;
    SystemServices* m_system = nullptr;
    QPointer<QWidget> m_toolsWindow;
};

} // namespace zorvex

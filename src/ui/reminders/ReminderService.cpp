#include "ui/reminders/ReminderService.h"

#include "core/app/Settings.h"
#include "core/app/SettingsStore.h"
#include "core/common/Clock.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/reminders/ReminderFiles.h"
#include "ui/common/Messages.h"
#include "ui/reminders/ReminderPages.h"
#include "ui/reminders/TodayWindow.h"
#include "ui/reminders/UpcomingSettingsDialog.h"
#include "ui/reminders/UpcomingWindow.h"

namespace zorvex {

ReminderService::ReminderService(const Clock& clock, const PathTable& paths, Settings& settings,
                                 const SettingsStore& store, Prompts& prompts, bool updatedStart,
                                 QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_paths(paths)
    , m_settings(settings)
    , m_store(store)
    , m_prompts(prompts)
    , m_check(clock, settings.main.upcomingLastShown)
{
    m_pages = new ReminderPages(paths, settings, clock, prompts, updatedStart, this);
    connect(m_pages, &ReminderPages::remindersChanged, this, &ReminderService::remindersChanged);
    connect(m_pages, &ReminderPages::dailyNoticeRequested, this, &ReminderService::openSettingsWindow);
}

ReminderService::~ReminderService() = default;

void ReminderService::setWindows(QWidget* mainWindow, QWidget* toolsWindow)
{
    m_mainWindow = mainWindow;
    m_toolsWindow = toolsWindow;
    if (m_upcoming)
        m_upcoming->setDockTarget(mainWindow);
}

DailyCheckSettings ReminderService::checkSettings()
{
    return DailyCheckSettings{m_settings.solenizant, m_settings.inne,          m_settings.prywatne,
                              m_settings.wazneDatyPow, m_settings.main.todayWindowMutedOn, m_settings.main.upcomingLastShown};
}

void ReminderService::evaluate() { run(true); }

void ReminderService::dayStarted()
{
    m_check.reset();
    m_pages->refreshNearest();
}

void ReminderService::showUpcomingNow()
{
    m_check.reset();
    run(false);
}

void ReminderService::run(bool automatic)
{
    const DailyCheckSettings s = checkSettings();
    const std::optional<DailyCheckOutcome> outcome = m_check.start(automatic, loadReminderLists(m_paths), s);
    if (!outcome)
        return;

    if (!outcome->todayText.isEmpty()) {
        if (!m_today) {
            m_today = std::make_unique<TodayWindow>();
            m_today->setSystemServices(m_system);
            connect(m_today.get(), &TodayWindow::closedWithChoice, this, &ReminderService::todayWindowClosed);
        }
        m_today->showText(outcome->todayText);
    }

    bool shown = false;
    if (outcome->showUpcoming) {
        if (!m_upcoming) {
            m_upcoming = std::make_unique<UpcomingWindow>(m_paths.dataFolder(), m_settings.wazneDatyPow);
            m_upcoming->setDockTarget(m_mainWindow);
            connect(m_upcoming.get(), &UpcomingWindow::closed, this,
                    [this] { m_store.saveSection(m_settings.wazneDatyPow); });
        }
        m_upcoming->showRows(outcome->rows);
        shown = true;
    } else if (outcome->showNothingAhead) {
        QWidget* over = m_settingsWindow && m_settingsWindow->isVisible() ? m_settingsWindow.get() : nullptr;
        m_prompts.information(QStringLiteral("Ważne daty"),
                        QStringLiteral("W ciągu najbliższych 31 dni nie ma żadnych ważnych dat."), over);
    }
    m_check.finish(shown, s);
    if (shown && m_settings.wazneDatyPow.onceADay)
        writeVuzuvuredKeys();
}

void ReminderService::todayWindowClosed(bool silenced)
{
    m_check.todayWindowClosed(silenced, checkSettings());
    writeVuzuvuredKeys();
}

void ReminderService::writeVuzuvuredKeys()
{
    // Only these two keys: the rest of the file belongs to the save pass.
    const QString section = QStringLiteral("Vuzuvured");
    const QString silencedOn = m_settings.main.todayWindowMutedOn;
    const DayTime lastShown = m_settings.main.upcomingLastShown;
    m_store.update([&](IniFile& ini) {
        ini.writeString(section, QStringLiteral("NiePokazujKom"), silencedOn);
        ini.writeDateTime(section, QStringLiteral("OstPokCP"), lastShown);
    });
}

void ReminderService::openSettingsWindow()
{
    if (!m_settingsWindow) {
        m_settingsWindow = std::make_unique<UpcomingSettingsDialog>(m_settings.wazneDatyPow);
        connect(m_settingsWindow.get(), &UpcomingSettingsDialog::testRequested, this,
                &ReminderService::showUpcomingNow);
        connect(m_settingsWindow.get(), &UpcomingSettingsDialog::closed, this,
                [this] { m_store.saveSection(m_settings.wazneDatyPow); });
    }
    m_settingsWindow->openOver(m_toolsWindow);
}

void ReminderService::dayChanged(DayStep, const DayChange&)
{
    dayStarted();
    evaluate();
}

bool ReminderService::readyAtStart() const
{
    return m_mainWindow != nullptr;
}

void ReminderService::runAtStart(const QDateTime&)
{
    evaluate();
}

} // namespace zorvex

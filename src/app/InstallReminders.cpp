#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonPackage.h"
#include "ui/app/FullScreen.h"
#include "ui/app/MainWindow.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/reminders/AlarmPage.h"
#include "ui/reminders/AlarmService.h"
#include "ui/reminders/ChimePage.h"
#include "ui/reminders/ChimeService.h"
#include "ui/reminders/ReminderPages.h"
#include "ui/reminders/ReminderService.h"

namespace zorvex {

// Alarms, the hourly chime, and birthdays, name days, important and private
// days with their pages and the windows that announce them.
void Application::installReminders()
{
    LoopRegistry& loop = m_loop->services();

    m_alarms = std::make_unique<AlarmService>(m_clock, m_paths, *m_players, m_main->trayIcon(), *m_prompts);
    m_tools->setPageContent(UncodedPage::Alarm, m_alarms->page());
    m_store->addListWriter([this] { m_alarms->save(); });
    connect(m_alarms->page(), &AlarmPage::soundPlayingChanged, m_tools.get(), &ToolsWindow::setStopSoundVisible);
    connect(m_tools.get(), &ToolsWindow::stopSoundRequested, m_alarms.get(), &AlarmService::stopSound);
    loop.addSecondTick(*m_alarms);

    m_fullScreen = makeFullScreenProbe();
    m_chime = std::make_unique<ChimeService>(m_clock, m_paths, *m_players, m_settings.chime, *m_fullScreen,
                                             *m_prompts);
    m_tools->setPageContent(UncodedPage::HourlyChime, m_chime->page());
    loop.addTick(TickStep::Chime, *m_chime);
    registerAddonChooser(int(AddonCategory::ChimeSet),
                         [this](const QString& name) { m_chime->page()->chooseInstalledSet(name); });

    m_reminders = std::make_unique<ReminderService>(m_clock, m_paths, m_settings, *m_store, *m_prompts,
                                                    m_state.updatedStart);
    m_reminders->setWindows(m_main.get(), m_tools.get());
    m_reminders->setSystemServices(&m_system);
    ReminderPages* pages = m_reminders->pages();
    m_tools->setPageContent(page::Persons, pages->personsPage());
    m_tools->setPageContent(page::ImportantDays, pages->importantPage());
    m_tools->setPageContent(page::PrivateDays, pages->privatePage());
    loop.addDayChange(DayStep::Reminders, *m_reminders);
    loop.addStartup(StartupTasks::RemindersAtStart, *m_reminders);
}

} // namespace zorvex

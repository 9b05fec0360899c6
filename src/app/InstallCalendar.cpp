#include "app/Application.h"
#include "core/app/MainLoop.h"
#include "core/app/PageCodes.h"
#include "core/common/PathTable.h"
#include "core/internet/AddonPackage.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderFiles.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/app/tools/ToolsWindow.h"
#include "ui/calendar/CalendarView.h"
#include "ui/calendar/ColoursPage.h"
#include "ui/calendar/NameDaysPage.h"
#include "ui/calendar/ScreenWatch.h"
#include "ui/calendar/TimeOfDaySetList.h"
#include "ui/calendar/ZodiacController.h"
#include "ui/calendar/ZodiacSetList.h"
#include "ui/reminders/ReminderService.h"

#include <QFormLayout>
#include <QVBoxLayout>

namespace zorvex {

// The month, the day facts and the scrolling text on the main window, the
// zodiac sign, and their pages on the Tools window; then the first drawing.
// The reminders mark the month, so they are installed first.
void Application::installCalendar()
{
    LoopRegistry& loop = m_loop->services();

    m_calendar = std::make_unique<CalendarView>(*m_main, m_settings, m_paths, m_clock);
    auto* colours = new ColoursPage(m_settings, m_paths, *m_prompts);
    m_tools->setPageContent(page::Colours, colours);
    m_calendar->attachColoursPage(colours);
    m_tools->setPageContent(page::NameDays, new NameDaysPage(m_paths));
    auto* timeOfDaySets = new TimeOfDaySetList(m_settings, m_paths, m_clock);
    m_calendar->attachTimeOfDaySetList(timeOfDaySets);
    m_store->addListWriter([this] { m_calendar->saveVisibleTexts(); });
    // Birthdays, name days, important and private days mark the month. The
    // lists are read afresh for every month drawn, so edits show at once.
    m_calendar->setAnnotationProvider([this](int year, int month) {
        const ReminderLists lists = loadReminderLists(m_paths);
        const CalendarMarkSettings marks = CalendarMarkSettings::from(
            m_settings.main, m_settings.solenizant, m_settings.inne, m_settings.prywatne);
        return buildDayAnnotations(lists, marks, year, month, m_clock.now().date());
    });
    m_calendar->watchScreen(makeDesktopScreenActivity(m_calendar.get()));
    loop.addClockChange(*m_calendar);
    for (DayStep step : {DayStep::DayFacts, DayStep::TodaysMonth, DayStep::ScrollingText})
        loop.addDayChange(step, *m_calendar);

    // The zodiac sign, its colour guard and its set list on "Wygląd".
    m_zodiac = std::make_unique<ZodiacController>(m_main->zodiacPicture(), m_settings, m_paths, m_clock);
    m_calendar->setZodiacGuard([this] { return m_zodiac->transparentColour(); },
                               [this] { return m_zodiac->builtInShown(); });
    auto* zodiacSets = new ZodiacSetList(m_settings, m_paths, m_clock, *m_prompts);
    auto* sets = new QWidget;
    auto* setsForm = new QFormLayout(sets);
    setsForm->setObjectName(QStringLiteral("LookSets")); // other features add their set lists here
    setsForm->addRow(QStringLiteral("Ikony pory dnia:"), timeOfDaySets);
    setsForm->addRow(QStringLiteral("Zestaw znaków zodiaku:"), zodiacSets);
    auto* look = new QWidget;
    auto* lookLayout = new QVBoxLayout(look);
    lookLayout->addWidget(sets);
    lookLayout->addStretch();
    m_tools->setPageContent(page::Look, look);
    connect(zodiacSets, &ZodiacSetList::choiceChanged, this, [this] { m_zodiac->draw(); });
    registerAddonChooser(int(AddonCategory::Zodiac), [zodiacSets](const QString& name) { zodiacSets->chooseInstalled(name); });
    registerAddonChooser(int(AddonCategory::TimeOfDay),
                         [timeOfDaySets](const QString& name) { timeOfDaySets->chooseInstalled(name); });
    connect(m_calendar.get(), &CalendarView::coloursApplied, this, [this] { m_zodiac->draw(); });
    // A new date seen by the clock: the tray's day icon and today's month.
    connect(m_zodiac.get(), &ZodiacController::dayStarted, this, [this] {
        m_main->trayIcon()->update();
        m_calendar->redrawCalendar(true);
    });
    loop.addTick(TickStep::NewSecond, *m_zodiac);

    // Every edit of a reminder list redraws the month and the sign's hint.
    connect(m_reminders.get(), &ReminderService::remindersChanged, this, [this] {
        m_calendar->redrawCalendar(false);
        m_zodiac->refreshHint();
    });

    // The sign's first refresh announces a new day, whose redraw would only
    // repeat the calendar's first drawing: it comes before the calendar starts.
    m_zodiac->dailyRefresh();
    m_calendar->start();
}

} // namespace zorvex

#include "ui/reminders/ReminderPages.h"

#include "core/app/Settings.h"
#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/reminders/ReminderData.h"
#include "core/reminders/ReminderFiles.h"
#include "ui/common/Messages.h"
#include "ui/reminders/ImportantDaysPage.h"
#include "ui/reminders/PersonsPage.h"
#include "ui/reminders/PrivateDaysPage.h"

#include <QFileInfo>

#include <climits>

namespace zorvex {

ReminderPages::ReminderPages(const PathTable& paths, Settings& settings, const Clock& clock, Prompts& prompts,
                             bool updatedStart, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_prompts(prompts)
    , m_importantPath(paths.path(PathId::Uroczystosci))
{
    // Start-up work is silent: a file that cannot be fixed stays as it is.
    if (updatedStart && QFileInfo::exists(m_importantPath))
        ImportantDayFile::removeObsoleteFeasts(m_importantPath);

    m_persons = new PersonsPage(paths.path(PathId::Osoby), settings.solenizant, clock, prompts);
    m_important = new ImportantDaysPage(m_importantPath, settings.inne, clock, prompts);
    m_private = new PrivateDaysPage(paths.path(PathId::Prywatne), settings.prywatne, clock, prompts);
    m_private->addMissingYears(clock.now().date().year());
    m_important->setPartner(m_private);
    m_private->setPartner(m_important);

    for (ReminderListPage* page : pages()) {
        connect(page, &ReminderListPage::remindersChanged, this, &ReminderPages::remindersChanged);
        connect(page, &ReminderListPage::dailyNoticeRequested, this, &ReminderPages::dailyNoticeRequested);
    }
    connect(m_important, &ReminderListPage::moveRequested, this, &ReminderPages::moveToPrivate);
    connect(m_private, &ReminderListPage::moveRequested, this, &ReminderPages::moveToImportant);
}

ReminderPages::~ReminderPages()
{
    // Pages the Tools window took are deleted with it.
    for (ReminderListPage* page : pages()) {
        if (page && !page->parentWidget())
            delete page;
    }
}

QList<ReminderListPage*> ReminderPages::pages() const
{
    return {m_persons.data(), m_important.data(), m_private.data()};
}

PersonsPage* ReminderPages::personsPage() const { return m_persons; }

ImportantDaysPage* ReminderPages::importantPage() const { return m_important; }

PrivateDaysPage* ReminderPages::privatePage() const { return m_private; }

void ReminderPages::addBirthday(const QDate& date) { m_persons->beginAddOn(date, true); }

void ReminderPages::addNameDay(const QDate& date) { m_persons->beginAddOn(date, false); }

void ReminderPages::addImportantDay(const QDate& date) { m_important->beginAddOn(date); }

void ReminderPages::addPrivateDay(const QDate& date) { m_private->beginAddOn(date, false); }

void ReminderPages::addAnniversary(const QDate& date) { m_private->beginAddOn(date, true); }

void ReminderPages::selectEntry(int group, int index)
{
    switch (group) {
    case 1: m_persons->selectEntry(index); break;
    case 2: m_important->selectEntry(index); break;
    case 3: m_private->selectEntry(index); break;
    default: break;
    }
}

void ReminderPages::refreshNearest()
{
    for (ReminderListPage* page : pages())
        page->refreshNearest();
}

void ReminderPages::reloadSettings()
{
    for (ReminderListPage* page : pages())
        page->reloadSettings();
}

void ReminderPages::reportError(const QString& text)
{
    m_prompts.error(text, m_important);
}

void ReminderPages::moveToPrivate(int index)
{
    const QList<ImportantDayEntry>& days = m_important->days();
    if (index < 0 || index >= days.size())
        return;
    const ImportantDayEntry e = days.at(index);
    // The private file splits its lines at a character the important days
    // may hold.
    const QString problem = checkEntryName(e.name, true);
    if (!problem.isEmpty()) {
        reportError(problem);
        return;
    }
    QString error;
    const QString line = PrivateEntry::makeLine(e.name, e.day, e.month, m_clock.now().date().year(), false);
    if (!m_private->appendLine(line, &error)) {
        reportError(error);
        m_private->reload(m_private->currentIndex());
        return;
    }
    // Added first, removed second: a failure leaves the day in both lists,
    // never in neither.
    if (!ImportantDayFile::remove(m_importantPath, index, &error))
        reportError(error);
    m_important->reload(index);
    m_private->reload(INT_MAX);
    emit remindersChanged();
}

void ReminderPages::moveToImportant(int index)
{
    const QStringList& lines = m_private->lines();
    if (index < 0 || index >= lines.size())
        return;
    const PrivateEntry e = PrivateEntry::parse(lines.at(index));
    QString error;
    if (!ImportantDayFile::append(m_importantPath, ImportantDayEntry{e.name, e.day, e.month}, &error)) {
        reportError(error);
        m_important->reload(m_important->currentIndex());
        return;
    }
    if (!m_private->removeLine(index, &error))
        reportError(error);
    m_private->reload(index);
    m_important->reload(INT_MAX);
    emit remindersChanged();
}

} // namespace zorvex

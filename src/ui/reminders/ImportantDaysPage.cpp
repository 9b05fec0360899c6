#include "ui/reminders/ImportantDaysPage.h"

#include "core/reminders/NearestEntries.h"
#include "core/reminders/ReminderFiles.h"
#include "core/reminders/ReminderSettings.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

ImportantDaysPage::ImportantDaysPage(QString path, ImportantDaySettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent)
    : ReminderListPage(clock, prompts, parent)
    , m_path(std::move(path))
{
    setObjectName(QStringLiteral("ImportantDaysPage"));
    nameCaption()->setText(QStringLiteral("Nazwa:"));

    m_date = dayMonthEdit("Date", QStringLiteral("ddMMM"));
    editorGrid()->addWidget(new QLabel(QStringLiteral("Data:"), this), 2, 0);
    editorGrid()->addWidget(m_date, 2, 1);

    addSettingsBox(
        remindTodayBox(), [&settings] { return settings.inTodayWindow != 0; },
        [&settings](bool on) { settings.inTodayWindow = on ? 1 : 0; }, false);
    auto* panel = new QCheckBox(QStringLiteral("Ważne dni na panelu kalendarza"), this);
    panel->setObjectName(QStringLiteral("Panel"));
    optionsLayout()->addWidget(addSettingsBox(
        panel, [&settings] { return settings.onCalendar; }, [&settings](bool on) { settings.onCalendar = on; }, true));
    auto* move = new QPushButton(QStringLiteral("Przenieś wybraną pozycję do Prywatnych"), this);
    move->setObjectName(QStringLiteral("MoveToPrivate"));
    optionsLayout()->addWidget(move);
    setMoveButton(move);

    m_nearest = new NearestPanel(QStringLiteral("Najbliższy ważny dzień:"), QStringLiteral("NearestImportant"), this);
    nearestLayout()->addWidget(m_nearest);

    finishSetup({QStringLiteral("Według nazwy"), QStringLiteral("Według daty")});
}

void ImportantDaysPage::readEntries() { m_days = ImportantDayFile::load(m_path); }

QStringList ImportantDaysPage::itemTexts() const
{
    QStringList texts;
    for (const ImportantDayEntry& e : m_days)
        texts << datedItemText(e.name, e.day, e.month);
    return texts;
}

void ImportantDaysPage::showEntry(int index)
{
    const bool valid = index >= 0 && index < m_days.size();
    const ImportantDayEntry e = valid ? m_days.at(index) : ImportantDayEntry{};
    nameField()->setText(valid ? e.name : QString());
    m_date->setDate(dayMonthDate(valid ? e.day : 0, e.month));
}

void ImportantDaysPage::beginAddOn(const QDate& date)
{
    beginAdd();
    m_date->setDate(QDate(2000, date.month(), date.day()));
}

void ImportantDaysPage::enableEditors(bool enabled) { m_date->setEnabled(enabled); }

bool ImportantDaysPage::writeEntry(int index, const QString& name, QString* error)
{
    const QDate d = m_date->date();
    const ImportantDayEntry e{name, d.day(), d.month()};
    return index < 0 ? ImportantDayFile::append(m_path, e, error) : ImportantDayFile::replace(m_path, index, e, error);
}

bool ImportantDaysPage::eraseEntry(int index, QString* error) { return ImportantDayFile::remove(m_path, index, error); }

bool ImportantDaysPage::sortEntries(int key, bool descending, QString* error)
{
    return ImportantDayFile::sort(m_path, ImportantDaySort(key), descending, error);
}

void ImportantDaysPage::showNearest()
{
    const bool any = !m_days.isEmpty();
    m_nearest->setHidden(!any);
    m_nearest->setEntry(any ? nearestImportantDay(m_days, today()) : std::nullopt);
}

} // namespace zorvex

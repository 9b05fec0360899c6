#include "ui/reminders/PrivateDaysPage.h"

#include "core/common/DataFile.h"
#include "core/reminders/NearestEntries.h"
#include "core/reminders/ReminderData.h"
#include "core/reminders/ReminderFiles.h"
#include "core/reminders/ReminderSettings.h"
#include "ui/common/NumberField.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zorvex {

PrivateDaysPage::PrivateDaysPage(QString path, PrivateDaySettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent)
    : ReminderListPage(clock, prompts, parent)
    , m_path(std::move(path))
{
    setObjectName(QStringLiteral("PrivateDaysPage"));

    // The year has its own field.
    m_date = dayMonthEdit("Date", QStringLiteral("dd MMM"));
    m_anniversary = new QCheckBox(QStringLiteral("Rocznica"), this);
    m_anniversary->setObjectName(QStringLiteral("Anniversary"));
    m_year = new NumberField(1, 9999, this);
    m_year->setObjectName(QStringLiteral("Year"));
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(m_date);
    dateRow->addWidget(m_year);
    dateRow->addStretch();
    editorGrid()->addLayout(dateRow, 2, 0, 1, 2);
    editorGrid()->addWidget(m_anniversary, 3, 0, 1, 2);

    addSettingsBox(
        remindTodayBox(), [&settings] { return settings.inTodayWindow; }, [&settings](bool on) { settings.inTodayWindow = on; },
        false);
    auto* panel = new QCheckBox(QStringLiteral("Prywatne dni/rocznice na panelu kalendarza"), this);
    panel->setObjectName(QStringLiteral("Panel"));
    optionsLayout()->addWidget(addSettingsBox(
        panel, [&settings] { return settings.onCalendar; }, [&settings](bool on) { settings.onCalendar = on; }, true));
    auto* move = new QPushButton(QStringLiteral("Przenieś wybraną pozycję do Ważnych dni"), this);
    move->setObjectName(QStringLiteral("MoveToImportant"));
    optionsLayout()->addWidget(move);
    setMoveButton(move);

    m_nearestPrivate =
        new NearestPanel(QStringLiteral("Najbliższy prywatny dzień:"), QStringLiteral("NearestPrivate"), this);
    m_nearestAnniversary =
        new NearestPanel(QStringLiteral("Najbliższa rocznica:"), QStringLiteral("NearestAnniversary"), this);
    nearestLayout()->addWidget(m_nearestPrivate);
    nearestLayout()->addWidget(m_nearestAnniversary);

    connect(m_anniversary, &QCheckBox::toggled, this, &PrivateDaysPage::showCaption);

    finishSetup({QStringLiteral("Według nazwy"), QStringLiteral("Według daty")});
    showCaption();
}

void PrivateDaysPage::readEntries()
{
    bool ok = false;
    m_lines = PrivateFile::load(m_path, &ok);
    m_readOk = mayReplaceAfterLoad(ok, m_path);
}

QStringList PrivateDaysPage::itemTexts() const
{
    QStringList texts;
    for (const QString& line : m_lines) {
        const PrivateEntry e = PrivateEntry::parse(line);
        texts << datedItemText(e.name, e.day, e.month);
    }
    return texts;
}

void PrivateDaysPage::showEntry(int index)
{
    const bool valid = index >= 0 && index < m_lines.size();
    const PrivateEntry e = valid ? PrivateEntry::parse(m_lines.at(index)) : PrivateEntry{};
    nameField()->setText(valid ? e.name : QString());
    m_anniversary->setChecked(valid && e.isAnniversary());
    m_year->setValue(e.isAnniversary() ? *e.startYear : e.year.value_or(today().year()));
    m_date->setDate(dayMonthDate(valid ? e.day : 0, e.month));
}

void PrivateDaysPage::prepareAdd()
{
    m_date->setDate(dayMonthDate(0, 0));
    m_year->setValue(today().year());
    m_anniversary->setChecked(false);
}

void PrivateDaysPage::beginAddOn(const QDate& date, bool anniversary)
{
    beginAdd();
    m_date->setDate(QDate(2000, date.month(), date.day()));
    m_year->setValue(date.year());
    m_anniversary->setChecked(anniversary);
}

void PrivateDaysPage::enableEditors(bool enabled)
{
    m_date->setEnabled(enabled);
    m_anniversary->setEnabled(enabled);
    m_year->setEnabled(enabled);
}

void PrivateDaysPage::showCaption()
{
    nameCaption()->setText(m_anniversary->isChecked() ? QStringLiteral("Rocznica:") : QStringLiteral("Prywatny dzień:"));
}

bool PrivateDaysPage::writeEntry(int index, const QString& name, QString* error)
{
    const QDate d = m_date->date();
    const QString line = PrivateEntry::makeLine(name, d.day(), d.month(), m_year->value(), m_anniversary->isChecked());
    if (index < 0)
        return appendLine(line, error);
    QStringList lines = m_lines;
    if (index >= lines.size())
        return noSuchLine(error);
    lines[index] = line;
    return saveLines(lines, error);
}

bool PrivateDaysPage::eraseEntry(int index, QString* error) { return removeLine(index, error); }

bool PrivateDaysPage::sortEntries(int key, bool descending, QString* error)
{
    QStringList lines = m_lines;
    PrivateFile::sort(lines, PrivateSort(key), descending);
    return saveLines(lines, error);
}

bool PrivateDaysPage::appendLine(const QString& line, QString* error)
{
    QStringList lines = m_lines;
    lines.append(line);
    return saveLines(lines, error);
}

bool PrivateDaysPage::removeLine(int index, QString* error)
{
    QStringList lines = m_lines;
    if (index < 0 || index >= lines.size())
        return noSuchLine(error);
    lines.removeAt(index);
    return saveLines(lines, error);
}

void PrivateDaysPage::addMissingYears(int year)
{
    QStringList lines = m_lines;
    if (!PrivateFile::addMissingYears(lines, year) || !saveLines(lines, nullptr))
        return;
    // The item texts have no year; the rest shows it.
    if (!editing())
        showEntry(currentIndex());
    showNearest();
}

bool PrivateDaysPage::noSuchLine(QString* error)
{
    if (error)
        *error = QStringLiteral("Wybranej pozycji nie ma już na liście.");
    return false;
}

bool PrivateDaysPage::saveLines(const QStringList& lines, QString* error)
{
    // The whole file is written from memory: a file that exists but could
    // not be read would be replaced by what little the list holds.
    if (!m_readOk) {
        if (error)
            *error = QStringLiteral("Nie można odczytać pliku \"%1\".").arg(m_path);
        return false;
    }
    if (!PrivateFile::save(m_path, lines, error))
        return false;
    m_lines = lines;
    return true;
}

void PrivateDaysPage::showNearest()
{
    const bool any = !m_lines.isEmpty();
    m_nearestPrivate->setHidden(!any);
    m_nearestAnniversary->setHidden(!any);
    m_nearestPrivate->setEntry(any ? nearestPrivateDay(m_lines, today()) : std::nullopt);
    m_nearestAnniversary->setEntry(any ? nearestAnniversary(m_lines, today()) : std::nullopt);
}

} // namespace zorvex

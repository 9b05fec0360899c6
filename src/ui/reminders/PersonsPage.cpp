#include "ui/reminders/PersonsPage.h"

#include "core/calendar/Zodiac.h"
#include "core/reminders/NearestEntries.h"
#include "core/reminders/ReminderFiles.h"
#include "core/reminders/ReminderSettings.h"
#include "ui/calendar/ZodiacPictures.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvex {

namespace {

// The black of a picture shown beside a disabled control turns this grey.
constexpr QRgb kGreyed = 0xFF808080;

QImage greyed(QImage image)
{
    image = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == 0)
                line[x] = kGreyed;
        }
    }
    return image;
}

// A stored birth date as the control can show it: an impossible day is
// pulled into its month, an unreadable year reads as 2000.
QDate birthDateOf(const PersonEntry& p)
{
    const int year = p.birthYear >= 1 && p.birthYear <= 9999 ? p.birthYear : 2000;
    const int month = std::clamp(p.birthMonth, 1, 12);
    const int day = std::clamp(p.birthDay, 1, QDate(year, month, 1).daysInMonth());
    return QDate(year, month, day);
}

} // namespace

PersonsPage::PersonsPage(QString path, PersonReminderSettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent)
    : ReminderListPage(clock, prompts, parent)
    , m_path(std::move(path))
{
    setObjectName(QStringLiteral("PersonsPage"));
    nameCaption()->setText(QStringLiteral("Imię i nazwisko:"));

    m_birthdayOn = new QCheckBox(QStringLiteral("Urodziny:"), this);
    m_birthdayOn->setObjectName(QStringLiteral("BirthdayOn"));
    m_birthDate = dateEdit("BirthDate", QStringLiteral("dd.MM.yyyy"));
    m_birthDate->setDateRange(QDate(1, 1, 1), QDate(9999, 12, 31));
    m_birthDate->setCalendarPopup(true);
    m_zodiac = new QLabel(this);
    m_zodiac->setObjectName(QStringLiteral("ZodiacPicture"));
    m_zodiac->setFixedSize(kZodiacWidth, kZodiacHeight);
    QSizePolicy keep = m_zodiac->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_zodiac->setSizePolicy(keep);
    m_nameDayOn = new QCheckBox(QStringLiteral("Imieniny:"), this);
    m_nameDayOn->setObjectName(QStringLiteral("NameDayOn"));
    m_nameDayDate = dayMonthEdit("NameDayDate", QStringLiteral("ddMMM"));

    QGridLayout* grid = editorGrid();
    grid->addWidget(m_birthdayOn, 2, 0);
    grid->addWidget(m_birthDate, 2, 1);
    grid->addWidget(m_zodiac, 3, 1);
    grid->addWidget(m_nameDayOn, 4, 0);
    grid->addWidget(m_nameDayDate, 4, 1);

    addSettingsBox(
        remindTodayBox(), [&settings] { return settings.inTodayWindow != 0; },
        [&settings](bool on) { settings.inTodayWindow = on ? 1 : 0; }, false);
    auto* panelU = new QCheckBox(QStringLiteral("Urodziny na panelu kalendarza"), this);
    panelU->setObjectName(QStringLiteral("PanelU"));
    optionsLayout()->addWidget(addSettingsBox(
        panelU, [&settings] { return settings.birthdaysOnCalendar; }, [&settings](bool on) { settings.birthdaysOnCalendar = on; }, true));
    auto* panelI = new QCheckBox(QStringLiteral("Imieniny na panelu kalendarza"), this);
    panelI->setObjectName(QStringLiteral("PanelI"));
    optionsLayout()->addWidget(addSettingsBox(
        panelI, [&settings] { return settings.nameDaysOnCalendar; }, [&settings](bool on) { settings.nameDaysOnCalendar = on; }, true));

    m_nearestBirthday = new NearestPanel(QStringLiteral("Najbliższe urodziny:"), QStringLiteral("NearestBirthday"), this);
    m_nearestNameDay = new NearestPanel(QStringLiteral("Najbliższe imieniny:"), QStringLiteral("NearestNameDay"), this);
    nearestLayout()->addWidget(m_nearestBirthday);
    nearestLayout()->addWidget(m_nearestNameDay);

    for (QCheckBox* box : {m_birthdayOn, m_nameDayOn}) {
        connect(box, &QCheckBox::toggled, this, [this] {
            showDateControls();
            updateButtons();
        });
    }
    connect(m_birthDate, &QDateEdit::dateChanged, this, &PersonsPage::showZodiac);

    finishSetup({QStringLiteral("Według nazwiska"), QStringLiteral("Według imienia i nazwiska"),
                 QStringLiteral("Według daty urodzin"), QStringLiteral("Według daty imienin")});
}

void PersonsPage::readEntries() { m_persons = PersonFile::load(m_path); }

QStringList PersonsPage::itemTexts() const
{
    QStringList texts;
    for (const PersonEntry& p : m_persons)
        texts << p.name;
    return texts;
}

void PersonsPage::showEntry(int index)
{
    const bool valid = index >= 0 && index < m_persons.size();
    const PersonEntry p = valid ? m_persons.at(index) : PersonEntry{};
    nameField()->setText(valid ? p.name : QString());
    m_birthdayOn->setChecked(!valid || p.hasBirthday());
    m_nameDayOn->setChecked(!valid || p.hasNameDay());
    m_birthDate->setDate(valid && p.hasBirthday() ? birthDateOf(p) : today());
    m_nameDayDate->setDate(dayMonthDate(valid ? p.nameDay : 0, p.nameDayMonth));
    showDateControls();
}

void PersonsPage::prepareAdd()
{
    m_birthdayOn->setChecked(true);
    m_nameDayOn->setChecked(true);
}

void PersonsPage::beginAddOn(const QDate& date, bool birthday)
{
    beginAdd();
    m_birthDate->setDate(date);
    m_nameDayDate->setDate(QDate(2000, date.month(), date.day()));
    m_birthdayOn->setChecked(birthday);
    m_nameDayOn->setChecked(!birthday);
}

void PersonsPage::enableEditors(bool enabled)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_birthdayOn, m_birthDate, m_nameDayOn, m_nameDayDate})
        w->setEnabled(enabled);
    showZodiac();
}

bool PersonsPage::editorsComplete() const { return m_birthdayOn->isChecked() || m_nameDayOn->isChecked(); }

void PersonsPage::showDateControls()
{
    m_birthDate->setVisible(m_birthdayOn->isChecked());
    m_zodiac->setVisible(m_birthdayOn->isChecked());
    m_nameDayDate->setVisible(m_nameDayOn->isChecked());
}

void PersonsPage::showZodiac()
{
    const QDate d = m_birthDate->date();
    QImage picture = builtInZodiacPicture(SignOf(d.day(), d.month()));
    if (!m_birthDate->isEnabledTo(this))
        picture = greyed(picture);
    m_zodiac->setPixmap(QPixmap::fromImage(picture));
}

bool PersonsPage::writeEntry(int index, const QString& name, QString* error)
{
    PersonEntry e;
    e.name = name;
    const QDate birth = m_birthDate->date();
    e.birthDay = m_birthdayOn->isChecked() ? birth.day() : 0;
    e.birthMonth = birth.month();
    e.birthYear = birth.year();
    const QDate nameDay = m_nameDayDate->date();
    e.nameDay = m_nameDayOn->isChecked() ? nameDay.day() : 0;
    e.nameDayMonth = nameDay.month();
    return index < 0 ? PersonFile::append(m_path, e, error) : PersonFile::replace(m_path, index, e, error);
}

bool PersonsPage::eraseEntry(int index, QString* error) { return PersonFile::remove(m_path, index, error); }

bool PersonsPage::sortEntries(int key, bool descending, QString* error)
{
    return PersonFile::sort(m_path, PersonSort(key), descending, error);
}

void PersonsPage::showNearest()
{
    const bool any = !m_persons.isEmpty();
    m_nearestBirthday->setHidden(!any);
    m_nearestNameDay->setHidden(!any);
    m_nearestBirthday->setEntry(any ? nearestBirthday(m_persons, today()) : std::nullopt);
    m_nearestNameDay->setEntry(any ? nearestNameDay(m_persons, today()) : std::nullopt);
}

} // namespace zorvex

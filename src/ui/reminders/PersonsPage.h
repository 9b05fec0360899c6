#pragma once

#include "core/reminders/ReminderData.h"
#include "ui/reminders/ReminderListPage.h"

class QDateEdit;

namespace zorvex {

class Prompts;

struct PersonReminderSettings;

// "Solenizant": the persons of "Osoby.ini" with their birthdays and name
// days. A birthday or name day switched off is stored with day 0; its month
// (and the birth year) stay as the control shows them.
//
// Widgets besides the shared ones: "BirthdayOn", "BirthDate", "ZodiacPicture",
// "NameDayOn", "NameDayDate", "PanelU", "PanelI", the panels
// "NearestBirthday" and "NearestNameDay". Sort keys: 0 "Według nazwiska",
// 1 "Według imienia i nazwiska", 2 "Według daty urodzin", 3 "Według daty
// imienin".
class PersonsPage : public ReminderListPage {
    Q_OBJECT
public:
    PersonsPage(QString path, PersonReminderSettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent = nullptr);

    const QList<PersonEntry>& persons() const { return m_persons; }
    // "Dodaj urodziny" / "Dodaj imieniny": add mode with both date controls
    // on `date` and only the chosen kind ticked.
    void beginAddOn(const QDate& date, bool birthday);

protected:
    void readEntries() override;
    QStringList itemTexts() const override;
    void showEntry(int index) override;
    void prepareAdd() override;
    void enableEditors(bool enabled) override;
    bool editorsComplete() const override;
    bool writeEntry(int index, const QString& name, QString* error) override;
    bool eraseEntry(int index, QString* error) override;
    bool sortEntries(int key, bool descending, QString* error) override;
    void showNearest() override;

private:
    void showDateControls();
    void showZodiac();

    QString m_path;
    QList<PersonEntry> m_persons;
    QCheckBox* m_birthdayOn = nullptr;
    QDateEdit* m_birthDate = nullptr;
    QLabel* m_zodiac = nullptr;
    QCheckBox* m_nameDayOn = nullptr;
    QDateEdit* m_nameDayDate = nullptr;
    NearestPanel* m_nearestBirthday = nullptr;
    NearestPanel* m_nearestNameDay = nullptr;
};

} // namespace zorvex

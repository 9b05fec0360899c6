#pragma once

#include "core/reminders/ReminderData.h"
#include "ui/reminders/ReminderListPage.h"

class QDateEdit;

namespace zorvex {

class Prompts;

struct ImportantDaySettings;

// "Ważne dni": the days of "Uroczystosci.ini", each a name on a day and
// month of every year.
//
// Widgets besides the shared ones: "Date" (day and month), "Panel",
// "MoveToPrivate", the panel "NearestImportant". Sort keys: 0 "Według
// nazwy", 1 "Według daty".
class ImportantDaysPage : public ReminderListPage {
    Q_OBJECT
public:
    ImportantDaysPage(QString path, ImportantDaySettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent = nullptr);

    const QList<ImportantDayEntry>& days() const { return m_days; }
    // "Dodaj ważny dzień": add mode on the day and month of `date`.
    void beginAddOn(const QDate& date);

protected:
    void readEntries() override;
    QStringList itemTexts() const override;
    void showEntry(int index) override;
    void enableEditors(bool enabled) override;
    bool writeEntry(int index, const QString& name, QString* error) override;
    bool eraseEntry(int index, QString* error) override;
    bool sortEntries(int key, bool descending, QString* error) override;
    void showNearest() override;

private:
    QString m_path;
    QList<ImportantDayEntry> m_days;
    QDateEdit* m_date = nullptr;
    NearestPanel* m_nearest = nullptr;
};

} // namespace zorvex

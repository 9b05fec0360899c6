#pragma once

#include "ui/reminders/ReminderListPage.h"

class QDateEdit;

namespace zorvex {

class Prompts;

class NumberField;
struct PrivateDaySettings;

// "Prywatne/rocznice": the lines of the per-profile private file, each a
// one-off private day in a given year or an anniversary counted from a
// start year. Every change writes the whole file again.
//
// Widgets besides the shared ones: "Date" (day and month), "Anniversary",
// "Year", "Panel", "MoveToImportant", the panels "NearestPrivate" and
// "NearestAnniversary". "NameCaption" reads "Rocznica:" or "Prywatny dzień:".
// Sort keys: 0 "Według nazwy", 1 "Według daty".
class PrivateDaysPage : public ReminderListPage {
    Q_OBJECT
public:
    PrivateDaysPage(QString path, PrivateDaySettings& settings, const Clock& clock, Prompts& prompts,
                QWidget* parent = nullptr);

    const QStringList& lines() const { return m_lines; }
    // "Dodaj prywatny dzień" / "Dodaj rocznicę": add mode on `date`, the year
    // being the date's.
    void beginAddOn(const QDate& date, bool anniversary);
    // Changes of the file from outside the page's editor (the moves); the
    // caller reloads the page afterwards.
    bool appendLine(const QString& line, QString* error);
    bool removeLine(int index, QString* error);
    // Start-up: lines without a year become private days of `year`, saved
    // at once; a file that cannot be written stays as it is.
    void addMissingYears(int year);

protected:
    void readEntries() override;
    QStringList itemTexts() const override;
    void showEntry(int index) override;
    void prepareAdd() override;
    void enableEditors(bool enabled) override;
    bool writeEntry(int index, const QString& name, QString* error) override;
    bool eraseEntry(int index, QString* error) override;
    bool sortEntries(int key, bool descending, QString* error) override;
    void showNearest() override;
    bool privateList() const override { return true; }

private:
    void showCaption();
    bool saveLines(const QStringList& lines, QString* error);
    static bool noSuchLine(QString* error);

    QString m_path;
    QStringList m_lines;
    bool m_readOk = true;
    QDateEdit* m_date = nullptr;
    QCheckBox* m_anniversary = nullptr;
    NumberField* m_year = nullptr;
    NearestPanel* m_nearestPrivate = nullptr;
    NearestPanel* m_nearestAnniversary = nullptr;
};

} // namespace zorvex

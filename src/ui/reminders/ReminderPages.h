#pragma once

// The pages' own headers, so that callers can hand them to the Tools window
// as widgets.
#include "ui/reminders/ImportantDaysPage.h"
#include "ui/reminders/PersonsPage.h"
#include "ui/reminders/PrivateDaysPage.h"

#include <QDate>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

namespace zorvex {

class Prompts;

class Clock;
class PathTable;
struct Settings;

// The three reminder lists of "Ważne daty" ("Solenizant", "Ważne dni",
// "Prywatne/rocznice"): creates their pages, carries the moves between
// important and private days, and is what the rest of the program talks to.
// The pages have no parent until the Tools window takes them; pages never
// placed are deleted with this object.
class ReminderPages : public QObject {
    Q_OBJECT
public:
    // Loads the three lists. Private lines without a year get the current
    // year (the file is saved at once); with `updatedStart` (the program
    // started with "updated") the obsolete feasts leave "Uroczystosci.ini".
    ReminderPages(const PathTable& paths, Settings& settings, const Clock& clock, Prompts& prompts, bool updatedStart,
                  QObject* parent = nullptr);
    ~ReminderPages() override;

    PersonsPage* personsPage() const;         // Tools code 18
    ImportantDaysPage* importantPage() const; // code 19
    PrivateDaysPage* privatePage() const;     // code 35

    // The calendar's add commands for the chosen date; the caller then opens
    // the page's code.
    void addBirthday(const QDate& date);
    void addNameDay(const QDate& date);
    void addImportantDay(const QDate& date);
    void addPrivateDay(const QDate& date);
    void addAnniversary(const QDate& date);

    // A "Przejdź do..." entry: group 1 persons, 2 important days, 3 private
    // lines. Cancels an add or change on that page and selects `index` when
    // it is within the list.
    void selectEntry(int group, int index);
    // After a date change: the nearest panels again, and today's date where
    // an idle control shows it.
    void refreshNearest();
    // After the settings model was replaced: the boxes show it again.
    void reloadSettings();

    // Confirmation questions and error messages; message boxes when not set.

signals:
    // A list changed on disk or a "na panelu kalendarza" box changed: redraw
    // the calendar at once.
    void remindersChanged();
    // "Codzienne powiadomienie" on any of the three pages.
    void dailyNoticeRequested();

private:
    void moveToPrivate(int index);
    void moveToImportant(int index);
    void reportError(const QString& text);
    QList<ReminderListPage*> pages() const;

    const Clock& m_clock;
    Prompts& m_prompts;
    QString m_importantPath;
    QPointer<PersonsPage> m_persons;
    QPointer<ImportantDaysPage> m_important;
    QPointer<PrivateDaysPage> m_private;
};

} // namespace zorvex

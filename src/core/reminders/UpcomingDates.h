#pragma once

#include "core/reminders/DayMarks.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

namespace zorvex {

// Kinds of events, numbered as the upcoming-dates table colours them.
enum class EventKind { Birthday = 1, NameDay = 2, ImportantDay = 3, PrivateDay = 4, Anniversary = 5 };

// The byte 0xFD separates the groups of a row, 0xFE ends a group's kind
// digit; this is how they read once decoded.
inline constexpr QChar kGroupSeparator = QChar(0x00FD);
inline constexpr QChar kKindMark = QChar(0x0163);

// One day with events, from today up to 31 days ahead.
struct UpcomingRow {
    int daysAhead = 0;
    QDate date;
    QMap<int, QStringList> groups; // kind -> texts in file order

    QString weekday() const;  // the Polish long day name
    QString when() const;     // "Dzisiaj:", "Jutro:", "za 5 dni:"
    // The stored record: days ahead (two digits), "dd.MM.yyyy", weekday,
    // when-text and the groups, joined by the list separator.
    QString toRecord() const;
};

// Which lists the upcoming dates look at.
struct UpcomingKinds {
    bool persons = true;   // birthdays and name days
    bool important = true;
    bool privateDays = true;
};

inline constexpr int kUpcomingDays = 31;

// The rows of the upcoming-dates window, sorted by days ahead.
QList<UpcomingRow> upcomingRows(const ReminderLists& lists, const UpcomingKinds& kinds, const QDate& today);

// Whether an automatic check shows the rows: something at most `days` ahead.
bool upcomingDueWithin(const QList<UpcomingRow>& rows, int days);

// Today's events as the "Ważny dzień" window lists them, one per line;
// empty when there is nothing. Only an exact day and month count.
struct TodayKinds {
    bool persons = false;
    bool important = true;
    bool privateDays = true;
};
QString todayText(const ReminderLists& lists, const TodayKinds& kinds, const QDate& today);

} // namespace zorvex

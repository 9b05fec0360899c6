#pragma once

#include "core/reminders/ReminderData.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// A "Najbliższe ..." panel: the nearest date strictly after today and
// everything falling on it.
struct NearestEntry {
    QDate date;
    int daysLeft = 0;
    QString names; // joined by ", " in list order

    // "dddd dd MMM yyyy" in Polish, a blank and the days-left phrase.
    QString dateLine() const;
};

std::optional<NearestEntry> nearestBirthday(const QList<PersonEntry>& persons, const QDate& today);
std::optional<NearestEntry> nearestNameDay(const QList<PersonEntry>& persons, const QDate& today);
std::optional<NearestEntry> nearestImportantDay(const QList<ImportantDayEntry>& days, const QDate& today);
std::optional<NearestEntry> nearestPrivateDay(const QStringList& privateLines, const QDate& today);
std::optional<NearestEntry> nearestAnniversary(const QStringList& privateLines, const QDate& today);

} // namespace zorvex

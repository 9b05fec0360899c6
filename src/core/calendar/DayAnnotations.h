#pragma once

#include "core/common/Colour.h"

#include <QList>
#include <QString>

#include <array>

namespace zorvex {

// The month picture's background: days left in it are drawn transparent, so
// a day marked in this very colour looks unmarked.
inline constexpr Colour kGridBackground = 11259375;

// An entry of a day's "Przejdź do..." menu: the list it opens and the
// entry's position in that list.
struct DayMenuEntry {
    enum Group { Persons = 1, ImportantDays = 2, PrivateDays = 3 };
    int group = Persons;
    int index = 0;
    QString label; // as the menu shows it
    friend bool operator==(const DayMenuEntry&, const DayMenuEntry&) = default;
};

struct DayAnnotation {
    Colour colour = kGridBackground;
    QString hint; // lines joined by "\n"; empty: no hint
    QList<DayMenuEntry> entries;
    friend bool operator==(const DayAnnotation&, const DayAnnotation&) = default;
};

// What the reminders say about each day of one month: its cell colour, its
// hint and its menu entries. Built for the month the calendar shows; a set
// built for another month (or none, year 0) marks nothing.
struct DayAnnotations {
    int year = 0;
    int month = 0;
    std::array<DayAnnotation, 31> days{};

    DayAnnotations() = default;
    DayAnnotations(int y, int m)
        : year(y)
        , month(m)
    {
    }

    bool isFor(int y, int m) const { return year == y && month == m; }
    // Day 1-31; other days read as unmarked.
    const DayAnnotation& day(int d) const
    {
        static const DayAnnotation kNone;
        return d >= 1 && d <= 31 ? days[size_t(d - 1)] : kNone;
    }
    DayAnnotation* dayOf(int d) { return d >= 1 && d <= 31 ? &days[size_t(d - 1)] : nullptr; }
    friend bool operator==(const DayAnnotations&, const DayAnnotations&) = default;
};

} // namespace zorvex

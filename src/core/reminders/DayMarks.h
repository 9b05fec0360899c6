#pragma once

#include "core/calendar/DayAnnotations.h"
#include "core/common/Colour.h"
#include "core/reminders/ReminderData.h"

#include <QDate>
#include <QList>
#include <QStringList>

#include <array>

namespace zorvex {

struct MainWindowSettings;
struct PersonReminderSettings;
struct ImportantDaySettings;
struct PrivateDaySettings;

// What the calendar marks and in which colours. Colour categories are
// numbered 1 birthdays, 2 name days, 3 important days, 4 private lines.
struct CalendarMarkSettings {
    bool birthdays = true;
    bool nameDays = true;
    bool importantDays = true;
    bool privateDays = true;
    std::array<Colour, 4> colours{65280, 16776960, 7462140, 16777215};
    // The categories from the most to the least important.
    std::array<int, 4> precedence{1, 2, 3, 4};

    static CalendarMarkSettings from(const MainWindowSettings& main, const PersonReminderSettings& persons,
                                     const ImportantDaySettings& important, const PrivateDaySettings& privateDays);
};

// The stored order of the colour categories ("1234"): each character names
// a category, a non-digit counts as 1; anything but four characters, and
// categories named twice or not at all, fall back to sensible order.
std::array<int, 4> colourPrecedence(const QString& value);

// Marks the days of `year`/`month`: hint lines, "Przejdź do..." entries and
// colours; hints end with how far the day is from `today`.
DayAnnotations buildDayAnnotations(const ReminderLists& lists, const CalendarMarkSettings& marks, int year, int month,
                                   const QDate& today);

// A menu entry as text: group, index and the escaped label joined by "|",
// ended by the list separator (0xFF).
QString encodeMenuEntry(const DayMenuEntry& e);
QString encodeMenuEntries(const QList<DayMenuEntry>& entries);
// Reads entries back; pieces that are not entries are dropped.
QList<DayMenuEntry> decodeMenuEntries(QStringView text);

} // namespace zorvex

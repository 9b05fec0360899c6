#pragma once

#include <QDate>
#include <QString>

namespace zorvex {

// "(pozostał: 1 dzień)", "(pozostały: 3 dni)", "(pozostało: 12 dni)".
QString daysLeftPhrase(int days);
// "(1 rok)", "(2 lata)", "(5 lat)".
QString agePhrase(int years);
// A day's distance from today as the calendar hint says it: "" for today,
// "[jutro]", "[za 5 dni]", "[wczoraj]", "[3 dni temu]"; `days` < 0 is past.
QString relativeDayPhrase(int days);
// The "Kiedy" column of the upcoming dates: "Dzisiaj:", "Jutro:", "Pojutrze:",
// "za 5 dni:".
QString whenText(int daysAhead);

// The date of day/month in `year`, or an invalid date when there is no such
// day. With `leapDayToEve` a 29 February falls on 28 February of a common
// year, as birthdays and name days do.
QDate occurrence(int year, int month, int day, bool leapDayToEve);

} // namespace zorvex

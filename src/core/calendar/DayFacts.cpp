#include "core/calendar/DayFacts.h"

#include "core/calendar/Gregorian.h"
#include "core/calendar/PolishNames.h"

namespace zorvex {

QString factsSeparatorLine()
{
    return QString(42, QLatin1Char('-'));
}

QStringList dayFactsLines(const QDate& date, const PlaceSun& sun)
{
    const int year = date.year();
    const int dayOfYear = date.dayOfYear();
    QStringList lines;
    lines << QString::fromUtf8("Dziś jest %1, %2 %3 %4r.")
                 .arg(polishWeekdayName(date.dayOfWeek()))
                 .arg(date.day())
                 .arg(polishMonthGenitive(date.month()))
                 .arg(year);
    lines << factsSeparatorLine();
    lines << QString::fromUtf8("Jest to %1 dzień roku, %2 tydzień.").arg(dayOfYear).arg(date.weekNumber());
    lines << QString::fromUtf8("Do końca roku pozostało %1 dni").arg(daysInYear(year) - dayOfYear);
    lines << (isLeapYear(year) ? QString::fromUtf8("Rok %1 jest rokiem przestępnym.")
                               : QString::fromUtf8("Rok %1 nie jest rokiem przestępnym."))
                 .arg(year);
    lines << factsSeparatorLine();
    lines << QString::fromUtf8("Wschód słońca: ") + clockText(sun.sun.sunrise);
    lines << QString::fromUtf8("Zachód słońca: ") + clockText(sun.sun.sunset);
    lines << QString::fromUtf8("Długość dnia: %1 godz. %2 min.")
                 .arg(sun.sun.dayLength / 60)
                 .arg(sun.sun.dayLength % 60, 2, 10, QLatin1Char('0'));
    return lines;
}

DayFacts computeDayFacts(const QDateTime& now, const QTimeZone& zone)
{
    DayFacts facts;
    facts.sun = placeSunAt(now, zone);
    facts.part = facts.sun.partAt(now.time());
    facts.lines = dayFactsLines(now.date(), facts.sun);
    return facts;
}

} // namespace zorvex

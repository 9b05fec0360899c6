#pragma once

#include "core/calendar/SunTimes.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTimeZone>

namespace zorvex {

// The line of 42 hyphens between the groups of the facts text; the weather
// summary, when shown, is appended after another one.
QString factsSeparatorLine();

// The facts of a day, line by line: the date in words, the day and ISO week
// of the year, the days left in the year, the leap-year line, sunrise,
// sunset (both on the place's own clock) and day length.
QStringList dayFactsLines(const QDate& date, const PlaceSun& sun);

// One calculation for the time-of-day picture and its hint. Recomputed on
// every call, never cached.
struct DayFacts {
    PlaceSun sun;
    DayPart part = DayPart::None;
    QStringList lines;
    // The hint text: the lines joined by line breaks.
    QString text() const { return lines.join(QLatin1Char('\n')); }
};

// `now` is the user's clock reading and `zone` the zone that clock keeps:
// the built-in place's sun is shown on the place's own clock.
DayFacts computeDayFacts(const QDateTime& now, const QTimeZone& zone);

} // namespace zorvex

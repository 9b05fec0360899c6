#pragma once

#include "core/common/IniFile.h"

#include <QDate>
#include <QString>

namespace zorvex {

// The name-day file and the sentence files share one layout: a section per
// month and a key per day, both plain decimal numbers ("11", "1"). Each
// lookup reads the file afresh, so a file replaced while the program runs
// counts from the next lookup on.

// The value for a date; empty when the day has no key.
QString dayValue(const IniFile& file, int month, int day);

// The value for a date in the file at `path`; empty when the file is
// missing or unreadable or the day has no key.
QString lookupDayValue(const QString& path, const QDate& date);

inline QString lookupNameDay(const QString& namesPath, const QDate& date)
{
    return lookupDayValue(namesPath, date);
}
inline QString lookupSentence(const QString& sentencePath, const QDate& date)
{
    return lookupDayValue(sentencePath, date);
}

} // namespace zorvex

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

namespace zorvex {

// A date-time as a day number with the time as a fraction of a day; day 0 is
// 30 December 1899 and 0 means "never".
using DayTime = double;

inline constexpr DayTime kNever = 0.0;

QDate dayZero();
DayTime toDayTime(const QDateTime& dt);
DayTime toDayTime(const QDate& d);
QDateTime fromDayTime(DayTime value);
QDate dateOf(DayTime value);

// Text forms written to settings files: "dd.MM.yyyy" for a date and
// "dd.MM.yyyy HH:mm:ss" for a date-time (the Polish short date and long time).
// Parsing accepts either form (a date alone means midnight) and returns
// nothing for text that is not a date.
QString formatDate(DayTime value);
QString formatDateTime(DayTime value);
std::optional<DayTime> parseDayTime(const QString& text);

} // namespace zorvex

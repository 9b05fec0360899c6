#include "core/common/DayTime.h"

#include <QRegularExpression>

#include <cmath>

namespace zorvex {

namespace {

// The time part of a day number, rounded to the millisecond so that 0.5 days
// is exactly noon, and kept within its own day.
QTime timeOf(DayTime value)
{
    const double whole = std::floor(value);
    const auto ms = std::llround((value - whole) * 86400000.0);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(qMin<qint64>(ms, 86399999)));
}

DayTime dayNumber(const QDate& d, const QTime& t)
{
    return static_cast<double>(dayZero().daysTo(d)) + t.msecsSinceStartOfDay() / 86400000.0;
}

} // namespace

QDate dayZero()
{
    return QDate(1899, 12, 30);
}

DayTime toDayTime(const QDate& d)
{
    return static_cast<double>(dayZero().daysTo(d));
}

DayTime toDayTime(const QDateTime& dt)
{
    return dayNumber(dt.date(), dt.time());
}

QDate dateOf(DayTime value)
{
    return dayZero().addDays(static_cast<qint64>(std::floor(value)));
}

QDateTime fromDayTime(DayTime value)
{
    // Built from the wall-clock date and time rather than by adding the
    // elapsed time to midnight: on a day with a clock change that would shift
    // the result by an hour.
    return QDateTime(dateOf(value), timeOf(value));
}

QString formatDate(DayTime value)
{
    return dateOf(value).toString(QStringLiteral("dd.MM.yyyy"));
}

QString formatDateTime(DayTime value)
{
    // Date and time are formatted apart: a local time skipped by a clock
    // change has no QDateTime, but the value still has its text.
    return formatDate(value) + QLatin1Char(' ') + timeOf(value).toString(QStringLiteral("HH:mm:ss"));
}

std::optional<DayTime> parseDayTime(const QString& text)
{
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,2})[.\-/](\d{1,2})[.\-/](\d{4})(?:\s+(\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    static const QRegularExpression iso(QStringLiteral(
        R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2})(?:[ T](\d{1,2}):(\d{2})(?::(\d{2}))?)?\s*$)"));
    int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
    auto match = re.match(text);
    if (match.hasMatch()) {
        d = match.captured(1).toInt();
        m = match.captured(2).toInt();
        y = match.captured(3).toInt();
    } else {
        match = iso.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        y = match.captured(1).toInt();
        m = match.captured(2).toInt();
        d = match.captured(3).toInt();
    }
    if (!match.captured(4).isEmpty()) {
        hh = match.captured(4).toInt();
        mm = match.captured(5).toInt();
        ss = match.captured(6).isEmpty() ? 0 : match.captured(6).toInt();
    }
    const QDate date(y, m, d);
    const QTime time(hh, mm, ss);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    // Not through a local QDateTime: one in the hour a clock change skips
    // is invalid.
    return dayNumber(date, time);
}

} // namespace zorvex

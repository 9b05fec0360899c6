#include "core/calendar/MonthModel.h"

#include "core/calendar/Gregorian.h"
#include "core/calendar/PolishNames.h"
#include "core/common/Clock.h"

#include <algorithm>

namespace zorvex {

namespace {

bool inRange(const QDate& d)
{
    return d.isValid() && d.year() >= kFirstYear && d.year() <= kLastYear;
}

} // namespace

MonthModel::MonthModel(const Clock& clock, Colour background)
    : m_clock(clock)
    , m_background(background)
{
    m_dayColours.fill(background);
    m_date = m_clock.now().date();
    if (!inRange(m_date))
        m_date = QDate(2000, 1, 1);
    relayout();
}

bool MonthModel::setYear(int year)
{
    if (year < kFirstYear || year > kLastYear || year == this->year())
        return false;
    m_useCurrentDate = false;
    changeTo(QDate(year, month(), std::min(day(), daysInMonth(year, month()))));
    return true;
}

bool MonthModel::setMonth(int month)
{
    if (month < 1 || month > 12 || month == this->month())
        return false;
    m_useCurrentDate = false;
    changeTo(QDate(year(), month, std::min(day(), daysInMonth(year(), month))));
    return true;
}

bool MonthModel::setDay(int day)
{
    if (day < 1 || day > daysInCurrentMonth() || day == this->day())
        return false;
    m_useCurrentDate = false;
    changeTo(QDate(year(), month(), day));
    return true;
}

void MonthModel::setDate(const QDate& date)
{
    if (!inRange(date))
        return;
    changeTo(date);
}

void MonthModel::setStartOfWeek(int weekday)
{
    if (weekday < 0 || weekday > 6 || weekday == m_startOfWeek)
        return;
    m_startOfWeek = weekday;
    relayout();
}

void MonthModel::setUseCurrentDate(bool on)
{
    m_useCurrentDate = on;
    if (!on)
        return;
    const QDate today = m_clock.now().date();
    if (inRange(today)) {
        m_date = today;
        relayout();
    }
}

int MonthModel::daysInCurrentMonth() const
{
    return daysInMonth(year(), month());
}

int MonthModel::weekRows() const
{
    return cellOfDay(daysInCurrentMonth()).row;
}

int MonthModel::dayAt(int column, int row) const
{
    if (column < 0 || column >= GridGeometry::kColumns || row < 1 || row >= GridGeometry::kRows)
        return 0;
    const int n = column + m_offset + 7 * row - 7;
    return n >= 1 && n <= daysInCurrentMonth() ? n : 0;
}

GridCell MonthModel::cellOfDay(int day) const
{
    if (day < 1 || day > daysInCurrentMonth())
        return {};
    // The first of the month lies in week row 1, so k is never negative.
    const int k = day - m_offset;
    return {k % 7, k / 7 + 1};
}

QString MonthModel::cellText(int column, int row) const
{
    if (column < 0 || column >= GridGeometry::kColumns)
        return {};
    if (row == 0)
        return polishShortWeekdayName((m_startOfWeek + column) % 7);
    const int d = dayAt(column, row);
    return d > 0 ? QString::number(d) : QString();
}

bool MonthModel::selectCell(int column, int row)
{
    if (m_readOnly)
        return false;
    const int d = dayAt(column, row);
    if (d == 0)
        return false;
    setDay(d);
    return true;
}

bool MonthModel::canGoToPreviousMonth() const
{
    return year() > kFirstYear || month() > 1;
}

bool MonthModel::canGoToNextMonth() const
{
    return year() < kLastYear || month() < 12;
}

bool MonthModel::previousMonth()
{
    return canGoToPreviousMonth() && step(-1);
}

bool MonthModel::nextMonth()
{
    return canGoToNextMonth() && step(+1);
}

bool MonthModel::step(int delta)
{
    const int selected = day();
    const QDate edge(year(), month(), delta < 0 ? 1 : daysInCurrentMonth());
    const QDate target = edge.addDays(delta);
    setDate(QDate(target.year(), target.month(),
                  std::min(selected, daysInMonth(target.year(), target.month()))));
    return true;
}

void MonthModel::goToToday()
{
    setDate(m_clock.now().date());
}

bool MonthModel::showsCurrentMonth() const
{
    const QDate today = m_clock.now().date();
    return today.year() == year() && today.month() == month();
}

bool MonthModel::goToMonth(int year, int month)
{
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12)
        return false;
    setDate(QDate(year, month, 1));
    return true;
}

Colour MonthModel::dayColour(int day) const
{
    return day >= 1 && day <= 31 ? m_dayColours[size_t(day - 1)] : m_background;
}

void MonthModel::setDayColour(int day, Colour colour)
{
    if (day >= 1 && day <= 31)
        m_dayColours[size_t(day - 1)] = colour;
}

void MonthModel::resetDayColours()
{
    m_dayColours.fill(m_background);
}

void MonthModel::relayout()
{
    // Weekday of the first, Sunday = 1 ... Saturday = 7.
    const int w = QDate(year(), month(), 1).dayOfWeek() % 7 + 1;
    const int a = (w - m_startOfWeek + 7) % 7;
    // When the first falls in the last column the formula would put it in
    // column -1; it goes to column 6 of the same row instead.
    m_offset = a == 0 ? -5 : 2 - a;
}

void MonthModel::changeTo(const QDate& date)
{
    m_date = date;
    relayout();
    if (m_onChange)
        m_onChange();
}

QString menuCaptionDate(const QDate& date)
{
    return QStringLiteral("%1.%2.%3")
        .arg(date.day())
        .arg(date.month(), 2, 10, QLatin1Char('0'))
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace zorvex

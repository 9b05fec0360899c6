#pragma once

namespace zorvex {

// The calendar covers January of year 1 to December of year 9999.
inline constexpr int kFirstYear = 1;
inline constexpr int kLastYear = 9999;

// The Gregorian rule for every year, including those before 1583.
constexpr bool isLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

// Days of `month` (1-12) in `year`; 0 for a month outside 1-12.
constexpr int daysInMonth(int year, int month)
{
    constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return kDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

constexpr int daysInYear(int year)
{
    return isLeapYear(year) ? 366 : 365;
}

} // namespace zorvex

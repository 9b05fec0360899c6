#pragma once

#include "core/calendar/GridGeometry.h"
#include "core/common/Colour.h"

#include <QDate>
#include <QString>

#include <array>
#include <functional>

namespace zorvex {

class Clock;

// The month grid behind the main window's calendar (the grid control the
// drawn month lies over): the displayed month, the mapping between days and
// cells, month navigation and the per-day colours. The grid itself is never
// shown; the month picture is drawn from these cells and hit-tested with the
// same geometry.
//
// The selected date stays within 1 January 0001 - 31 December 9999: writes
// and steps that would leave that range are ignored.
class MonthModel {
public:
    static constexpr Colour kDefaultBackground = 16777215;

    explicit MonthModel(const Clock& clock, Colour background = kDefaultBackground);

    QDate date() const { return m_date; }
    int year() const { return m_date.year(); }
    int month() const { return m_date.month(); }
    int day() const { return m_date.day(); }

    // Writing one part of the date: values below 1, a month above 12, a day
    // beyond the displayed month and a year above 9999 are ignored, as is the
    // current value. Otherwise the part is replaced, following today's date
    // stops and the change is reported. A day that the new month or year
    // lacks (31 in a 30-day month, 29 February in a common year) becomes that
    // month's last day. True when the date changed.
    bool setYear(int year);
    bool setMonth(int month);
    bool setDay(int day);

    // Stores a date, lays the grid out again and reports the change. Invalid
    // dates and dates outside years 1-9999 are ignored.
    void setDate(const QDate& date);

    // Weekday of column 0 counted from Sunday = 0; 1 (Monday) by default.
    // Values outside 0-6 are ignored.
    int startOfWeek() const { return m_startOfWeek; }
    void setStartOfWeek(int weekday);

    // Setting it on makes the date today (without reporting a change).
    bool useCurrentDate() const { return m_useCurrentDate; }
    void setUseCurrentDate(bool on);

    bool readOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }

    int daysInCurrentMonth() const;
    // Column c of week row r shows day c + offset + 7r - 7 when that is a
    // day of the month. With weeks from Monday a month beginning on Monday
    // has offset 1, one beginning on Sunday -5.
    int monthOffset() const { return m_offset; }
    // Week rows the displayed month occupies (4 to 6).
    int weekRows() const;

    // The day shown in a cell; 0 for the weekday row, cells outside the month
    // and cells off the grid.
    int dayAt(int column, int row) const;
    int dayAt(const GridCell& cell) const { return dayAt(cell.column, cell.row); }
    // The cell of a day of the displayed month; no cell for other days.
    GridCell cellOfDay(int day) const;
    // The grid's current cell: the selected day.
    GridCell currentCell() const { return cellOfDay(day()); }
    // Row 0: the short Polish weekday name of the column; week rows: the day
    // number, or empty text outside the month.
    QString cellText(int column, int row) const;

    // A click of the user on a cell: refused while read-only and on cells
    // without a day; otherwise the day becomes that cell's day.
    bool selectCell(int column, int row);

    // Month steps keep the selected day where the target month has it, else
    // take the month's last day. No step goes before January of year 1 or
    // after December 9999. True when the month changed.
    bool canGoToPreviousMonth() const;
    bool canGoToNextMonth() const;
    bool previousMonth();
    bool nextMonth();

    // Back to today's date (the month caption's menu and the day change).
    void goToToday();
    bool showsCurrentMonth() const;
    // Day 1 of a chosen month and year (the go-to-date dialog). False, and
    // nothing changes, for a month or year out of range.
    bool goToMonth(int year, int month);

    // Colours of days 1-31, set by the reminder evaluation and painted by
    // the month drawing; all start as the background colour.
    Colour dayColour(int day) const;
    void setDayColour(int day, Colour colour);
    void resetDayColours();
    Colour backgroundColour() const { return m_background; }

    // Called after every reported change of the date.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    bool step(int delta);
    void relayout();
    void changeTo(const QDate& date);

    const Clock& m_clock;
    QDate m_date;
    int m_offset = 0;
    int m_startOfWeek = 1;
    bool m_useCurrentDate = true;
    bool m_readOnly = false;
    Colour m_background;
    std::array<Colour, 31> m_dayColours;
    std::function<void()> m_onChange;
};

// The date as the "Dodaj" menu's side caption writes it: day without
// padding, two-digit month, four-digit year ("5.01.2026").
QString menuCaptionDate(const QDate& date);

} // namespace zorvex

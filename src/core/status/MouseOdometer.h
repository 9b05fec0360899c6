#pragma once

#include "core/status/DaySeries.h"
#include "core/status/MonthChart.h"
#include "core/status/StatusSources.h"

#include <QStringList>

#include <optional>

namespace zorvex {

class Clock;

// The mouse odometer: the pointer's travel in pixels (the sum of the
// horizontal and vertical moves), counted in memory and added to the day's
// key of "Ruch.ini" (section "Ruch", key dd.MM.yyyy) at the day change and
// at an orderly shutdown.
class MouseOdometer {
public:
    MouseOdometer(const Clock& clock, PointerSource& pointer, QString ruchPath);

    // Counting starts from where the pointer is now: at start-up and when the
    // statistic is switched on, the first sample adds nothing.
    void begin();
    // One 50 ms sample. Without a pointer position nothing is counted, and
    // counting resumes from wherever the pointer is when it comes back.
    void sample();
    bool available() const { return m_pointer.available(); }

    // The travel since the start or the last day change.
    qint64 travel() const { return m_travel; }

    // Adds the travel to `date` and starts counting the next day from 0.
    void commitDay(const QDate& date);
    // Adds pixels to the stored value of a day (the crash recovery adds the
    // autosave record's travel to today).
    void addToDay(const QDate& date, qint64 pixels);

    // Reads "Ruch.ini" for the pages: the days from 2000-01-01 to today.
    void loadDays();
    const DaySeries& days() const { return m_days; }

    // "Według dni"
    QStringList dayLines() const;
    // "Największa odległość w dniu dd.MM.yyyy: ..." and the smallest; with
    // no days they name today and are not shown.
    bool extremesShown() const { return !m_days.empty(); }
    QString largestText() const;
    QString smallestText() const;
    // "Aktualnie uruchomionego systemu: ..."
    QString currentText() const;
    // "Łącznie od dnia dd.MM.yyyy do dzisiejszego: ..." (stored days + travel)
    QString totalText() const;

    using Month = MonthPage; // axis in metres
    Month month(int year, int month) const;
    // "Dzień: ...\rRuch: 1km 5m 03cm 2mm", for a day of the month.
    QString chartHint(const QDate& date) const;

private:
    QString dayLine(const DayValue& d) const;

    const Clock& m_clock;
    PointerSource& m_pointer;
    QString m_path;
    qint64 m_travel = 0;
    std::optional<QPoint> m_last;
    DaySeries m_days;
};

} // namespace zorvex

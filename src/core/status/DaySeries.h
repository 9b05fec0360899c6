#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace zorvex {

class IniFile;

struct DayValue {
    QDate date;
    qint64 value = 0;
};

// The days of one statistic (running time, mouse travel, traffic in one
// direction), oldest first: the day and month pages, their sums, averages
// and the largest and smallest day all come from here.
class DaySeries {
public:
    DaySeries() = default;
    // Sorts by date; of two entries for one date the later one counts.
    explicit DaySeries(std::vector<DayValue> days);

    // The keys of `section` that are dates from 2000-01-01 to `today`, with
    // `value` turning each stored text into the day's value.
    static DaySeries fromSection(const IniFile& ini, const QString& section, const QDate& today,
                                 const std::function<qint64(const QString&)>& value);

    const std::vector<DayValue>& days() const { return m_days; }
    bool empty() const { return m_days.empty(); }
    qsizetype size() const { return qsizetype(m_days.size()); }

    DaySeries month(int year, int month) const;
    std::optional<qint64> valueOn(const QDate& date) const;

    // Sums saturate instead of wrapping.
    qint64 sum() const;
    // The sum divided by the number of days, rounded; 0 without days.
    qint64 average() const;
    // The first day with the largest (smallest) value; nothing when empty.
    std::optional<DayValue> largest() const;
    std::optional<DayValue> smallest() const;

private:
    std::vector<DayValue> m_days;
};

// A statistic's "Według miesięcy" and "Wykres" pages for one month.
struct MonthPage {
    DaySeries days;
    QStringList lines;
    QString totalText;   // "Razem: ..."
    QString averageText; // "Średnio: ..."
    qint64 largest = 0;  // the chart's 216 pixels
    std::vector<QString> axis; // left-axis labels for i = 2, 4 ... 22
};

inline constexpr int kFirstStatisticsYear = 2000;

// A count stored in a statistics file: text that is not a number, or a
// negative one, counts as 0.
qint64 storedCount(const QString& text);

// a + b without wrapping past the largest count.
qint64 saturatingAdd(qint64 a, qint64 b);

} // namespace zorvex

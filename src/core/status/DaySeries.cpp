#include "core/status/DaySeries.h"

#include "core/common/IniFile.h"
#include "core/status/StatusText.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorvex {

qint64 storedCount(const QString& text)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    return ok && v > 0 ? v : 0;
}

qint64 saturatingAdd(qint64 a, qint64 b)
{
    qint64 r = 0;
    if (__builtin_add_overflow(a, b, &r))
        return b > 0 ? std::numeric_limits<qint64>::max() : std::numeric_limits<qint64>::min();
    return r;
}

DaySeries::DaySeries(std::vector<DayValue> days)
    : m_days(std::move(days))
{
    std::stable_sort(m_days.begin(), m_days.end(), [](const DayValue& a, const DayValue& b) { return a.date < b.date; });
    // Keep the last of equal dates.
    std::vector<DayValue> unique;
    unique.reserve(m_days.size());
    for (const DayValue& d : m_days) {
        if (!unique.empty() && unique.back().date == d.date)
            unique.back() = d;
        else
            unique.push_back(d);
    }
    m_days = std::move(unique);
}

DaySeries DaySeries::fromSection(const IniFile& ini, const QString& section, const QDate& today,
                                 const std::function<qint64(const QString&)>& value)
{
    const QDate first(kFirstStatisticsYear, 1, 1);
    std::vector<DayValue> days;
    for (const QString& key : ini.keys(section)) {
        const QDate date = parseStatusDate(key);
        if (!date.isValid() || date < first || date > today)
            continue;
        days.push_back({date, value(ini.readString(section, key))});
    }
    return DaySeries(std::move(days));
}

DaySeries DaySeries::month(int year, int month) const
{
    std::vector<DayValue> days;
    for (const DayValue& d : m_days) {
        if (d.date.year() == year && d.date.month() == month)
            days.push_back(d);
    }
    DaySeries s;
    s.m_days = std::move(days);
    return s;
}

std::optional<qint64> DaySeries::valueOn(const QDate& date) const
{
    const auto it = std::lower_bound(m_days.begin(), m_days.end(), date,
                                     [](const DayValue& d, const QDate& x) { return d.date < x; });
    if (it == m_days.end() || it->date != date)
        return std::nullopt;
    return it->value;
}

qint64 DaySeries::sum() const
{
    qint64 s = 0;
    for (const DayValue& d : m_days)
        s = saturatingAdd(s, d.value);
    return s;
}

qint64 DaySeries::average() const
{
    if (m_days.empty())
        return 0;
    return std::llround(double(sum()) / double(m_days.size()));
}

std::optional<DayValue> DaySeries::largest() const
{
    if (m_days.empty())
        return std::nullopt;
    return *std::max_element(m_days.begin(), m_days.end(),
                             [](const DayValue& a, const DayValue& b) { return a.value < b.value; });
}

std::optional<DayValue> DaySeries::smallest() const
{
    if (m_days.empty())
        return std::nullopt;
    return *std::min_element(m_days.begin(), m_days.end(),
                             [](const DayValue& a, const DayValue& b) { return a.value < b.value; });
}

} // namespace zorvex

#include "core/status/TrafficDays.h"

#include "core/common/IniFile.h"
#include "core/common/Text.h"
#include "core/status/MonthChart.h"
#include "core/status/TrafficFormat.h"

#include <cmath>

namespace zorvex {
namespace {

const QString kSection = QStringLiteral("Siec");

QString dayLine(const DayValue& d, const NumberStyle& style)
{
    return QLatin1Char(' ') + statusDateText(d.date) + QStringLiteral(" - ") + formatDayListValue(d.value, style);
}

} // namespace

namespace trafficdays {

std::pair<qint64, qint64> storedPair(const QString& text)
{
    return {storedCount(PipeField(text, 1)), storedCount(PipeField(text, 2))};
}

void add(const QString& siecPath, const QDate& date, qint64 received, qint64 sent)
{
    if (!date.isValid())
        return;
    // A file that is there but cannot be read whole keeps its days.
    bool read = false;
    FileReadStatus status = FileReadStatus::Missing;
    IniFile ini = IniFile::load(siecPath, &read, &status);
    if (!read && status != FileReadStatus::Missing)
        return;
    const QString key = statusDateText(date);
    const auto [in, out] = storedPair(ini.readString(kSection, key, QStringLiteral("0")));
    const qint64 newIn = qMax<qint64>(0, saturatingAdd(in, received));
    const qint64 newOut = qMax<qint64>(0, saturatingAdd(out, sent));
    if (ini.hasKey(kSection, key) && newIn == in && newOut == out)
        return;
    ini.writeString(kSection, key, QString::number(newIn) + QLatin1Char('|') + QString::number(newOut));
    ini.save(siecPath);
}

} // namespace trafficdays

TrafficDays TrafficDays::load(const QString& siecPath, const QDate& today)
{
    const IniFile ini = IniFile::load(siecPath);
    TrafficDays t;
    t.m_today = today;
    t.m_received = DaySeries::fromSection(ini, kSection, today,
                                          [](const QString& v) { return trafficdays::storedPair(v).first; });
    t.m_sent = DaySeries::fromSection(ini, kSection, today,
                                      [](const QString& v) { return trafficdays::storedPair(v).second; });
    return t;
}

QStringList TrafficDays::dayLines(Direction d, const NumberStyle& style) const
{
    QStringList lines;
    for (const DayValue& v : days(d).days())
        lines << dayLine(v, style);
    return lines;
}

QString TrafficDays::totalText(Direction d, qint64 live, const NumberStyle& style) const
{
    const DaySeries& s = days(d);
    const QDate first = s.empty() ? m_today : s.days().front().date;
    return QStringLiteral("Łącznie od dnia ") + statusDateText(first) + QStringLiteral(" do dzisiejszego: ")
        + formatDayTotal(s.empty() ? live : s.sum(), style);
}

QString TrafficDays::largestText(Direction d, qint64 live, const NumberStyle& style) const
{
    const auto largest = days(d).largest();
    return QStringLiteral("Największy transfer w dniu ") + statusDateText(largest ? largest->date : m_today)
        + QStringLiteral(": ") + formatDayTotal(largest ? largest->value : live, style);
}

TrafficDays::Month TrafficDays::month(Direction d, int year, int month, const NumberStyle& style) const
{
    Month m;
    m.days = days(d).month(year, month);
    for (const DayValue& v : m.days.days())
        m.lines << dayLine(v, style);
    m.totalText = QStringLiteral("Razem: ") + formatDayTotal(m.days.sum(), style);
    m.averageText = QStringLiteral("Średnio: ") + formatDayTotal(m.days.average(), style);
    const auto largest = m.days.largest();
    m.largest = largest ? largest->value : 0;
    const bool small = double(m.largest) * 0.9166 / 1e6 < 10;
    for (const auto& label : monthchart::axisLabels(double(m.largest) / 1e6)) {
        m.axis.push_back(small ? formatNumber(label.value, 2, false, style)
                               : QString::number(std::llround(label.value)));
    }
    return m;
}

std::optional<QString> TrafficDays::chartHint(Direction d, const QDate& date, const NumberStyle& style) const
{
    const auto v = days(d).valueOn(date);
    if (!v || *v <= 0)
        return std::nullopt;
    return chartHintDay(date) + QStringLiteral("\rTransfer: ") + formatDayTotal(*v, style);
}

} // namespace zorvex

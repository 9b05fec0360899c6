#pragma once

#include "core/status/DaySeries.h"
#include "core/status/StatusText.h"

#include <QStringList>

#include <utility>
#include <vector>

namespace zorvex {

// "Siec.ini": section "Siec", key dd.MM.yyyy, value received + "|" + sent
// (decimal 64-bit byte counts).
namespace trafficdays {

// A stored pair; a value that is not a number, or negative, counts as 0.
std::pair<qint64, qint64> storedPair(const QString& text);
// Adds the bytes to the date's pair. A file that is there but cannot be
// read whole is left as it is; errors are ignored.
void add(const QString& siecPath, const QDate& date, qint64 received, qint64 sent);

} // namespace trafficdays

// The traffic pages "Według dni", "Według miesięcy" and "Wykres" for the
// direction chosen on them.
class TrafficDays {
public:
    enum class Direction { Received, Sent }; // "Wejście (pobrane)", "Wyjście (wysłane)"

    static TrafficDays load(const QString& siecPath, const QDate& today);

    const DaySeries& days(Direction d) const { return d == Direction::Received ? m_received : m_sent; }

    // " dd.MM.yyyy -     12,34 MB"
    QStringList dayLines(Direction d, const NumberStyle& style = {}) const;
    // "Łącznie od dnia ... do dzisiejszego: ..." and "Największy transfer w
    // dniu ...: ...". Without a stored day both name today and show `live`,
    // the chosen interface's total of that direction.
    QString totalText(Direction d, qint64 live, const NumberStyle& style = {}) const;
    QString largestText(Direction d, qint64 live, const NumberStyle& style = {}) const;

    using Month = MonthPage; // axis in millions of bytes
    Month month(Direction d, int year, int month, const NumberStyle& style = {}) const;
    // "Dzień: ...\rTransfer: ..."; nothing for a day without traffic.
    std::optional<QString> chartHint(Direction d, const QDate& date, const NumberStyle& style = {}) const;

private:
    QDate m_today;
    DaySeries m_received;
    DaySeries m_sent;
};

} // namespace zorvex

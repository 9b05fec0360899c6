#include "core/status/StatusText.h"

#include "core/calendar/PolishNames.h"

#include <cmath>

namespace zorvex {

QString statusDateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

QDate parseStatusDate(const QString& text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("dd.MM.yyyy"));
}

QString statusTimeText(const QTime& time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QTime parseStatusTime(const QString& text)
{
    return QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
}

QString statusDateTimeText(const QDateTime& t)
{
    return statusDateText(t.date()) + QLatin1Char(' ') + statusTimeText(t.time());
}

QString hmsText(qint64 seconds)
{
    const qint64 s = qMax<qint64>(0, seconds);
    auto two = [](qint64 v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    return two(s / 3600) + QLatin1Char(':') + two(s / 60 % 60) + QLatin1Char(':') + two(s % 60);
}

QString formatNumber(double value, int decimals, bool grouped, const NumberStyle& style)
{
    if (!std::isfinite(value))
        value = 0;
    // A tiny negative value would read "-0,00".
    if (std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0;
    const QString text = QString::number(value, 'f', decimals);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point + 1);
    if (grouped) {
        const qsizetype first = whole.startsWith(QLatin1Char('-')) ? 1 : 0;
        for (qsizetype at = whole.size() - 3; at > first; at -= 3)
            whole.insert(at, style.group);
    }
    return fraction.isEmpty() ? whole : whole + style.decimal + fraction;
}

QString chartHintDay(const QDate& date)
{
    return QStringLiteral("Dzień: ") + polishWeekdayName(date.dayOfWeek()) + QLatin1Char(' ')
        + QString::number(date.day()) + QLatin1Char('.') + QString::number(date.month()).rightJustified(2, QLatin1Char('0'))
        + QLatin1Char('.') + QString::number(date.year());
}

} // namespace zorvex

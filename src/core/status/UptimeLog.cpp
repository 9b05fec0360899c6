#include "core/status/UptimeLog.h"

#include "core/common/Clock.h"

#include <cmath>

namespace zorvex {

QString longDurationText(qint64 seconds)
{
    const qint64 s = qMax<qint64>(0, seconds);
    auto two = [](qint64 v) { return QString::number(v).rightJustified(2, QLatin1Char('0')); };
    return two(s / 3600) + QStringLiteral(" godz. ") + two(s / 60 % 60) + QStringLiteral(" min. ") + two(s % 60)
        + QStringLiteral(" sek.");
}

UptimeLog::UptimeLog(const Clock& clock, UptimeRecordSource& source, QString czasPath, QString czas2Path)
    : m_clock(clock)
    , m_source(source)
    , m_czasPath(std::move(czasPath))
    , m_czas2Path(std::move(czas2Path))
    , m_programStart(clock.now())
    , m_currentStart(m_programStart)
    , m_today(m_programStart.date())
{
}

void UptimeLog::setInterruptedSession(const QDateTime& start, const QDateTime& end)
{
    m_interrupted = InterruptedSession{start, end};
}

uptimefile::ImportResult UptimeLog::importRuns()
{
    const UptimeReading reading = pairUptimeEvents(m_source.read(), m_interrupted, m_programStart);
    m_currentStart = reading.currentStart;
    const auto result = uptimefile::importRuns(m_czasPath, m_czas2Path, reading.runs, m_clock.now());
    loadDays();
    return result;
}

void UptimeLog::loadDays()
{
    m_days = UptimeDays::load(m_czasPath);
    m_today = m_clock.now().date();
    const UptimeDay* d = m_days.day(m_today);
    m_todayTotal = d ? d->total : 0;
}

void UptimeLog::startDay()
{
    m_today = m_clock.now().date();
    const UptimeDay* d = m_days.day(m_today);
    m_todayTotal = d ? d->total : 0;
}

qint64 UptimeLog::currentRunSeconds() const
{
    return qMax<qint64>(0, m_currentStart.secsTo(m_clock.now()));
}

QString UptimeLog::currentRunText() const
{
    const qint64 s = currentRunSeconds();
    if (s <= 86400)
        return hmsText(s);
    const qint64 hours = s / 3600;
    return QString::number(hours / 24) + QStringLiteral("d. ") + hmsText(s - hours / 24 * 86400);
}

QString UptimeLog::todayText() const
{
    const QDateTime now = m_clock.now();
    const QDateTime midnight(now.date(), QTime(0, 0));
    const qint64 share = m_currentStart < midnight ? qMax<qint64>(0, midnight.secsTo(now)) : currentRunSeconds();
    return hmsText(m_todayTotal + share);
}

QString UptimeLog::liveLabel() const
{
    return QStringLiteral("System aktualnie uruchomiony jest przez: ") + currentRunText()
        + QStringLiteral(", a dzisiaj: ") + todayText();
}

std::vector<QDate> UptimeLog::listedDates() const
{
    std::vector<QDate> dates;
    for (auto it = m_days.days().rbegin(); it != m_days.days().rend(); ++it)
        dates.push_back(it->date);
    return dates;
}

namespace {

QString dayLine(const UptimeDay& d)
{
    return statusDateText(d.date) + QStringLiteral(" = ") + hmsText(d.total);
}

} // namespace

QStringList UptimeLog::dayLines() const
{
    QStringList lines;
    for (auto it = m_days.days().rbegin(); it != m_days.days().rend(); ++it)
        lines << dayLine(*it);
    return lines;
}

QStringList UptimeLog::runLines(const QDate& date) const
{
    QStringList lines;
    const UptimeDay* d = m_days.day(date);
    if (!d)
        return lines;
    for (const UptimeRunLine& r : d->runs) {
        lines << QString::number(r.number) + QStringLiteral(". ") + statusTimeText(r.start) + QStringLiteral(" - ")
                + statusTimeText(r.end) + QStringLiteral(" = ") + hmsText(r.seconds());
    }
    return lines;
}

UptimeLog::Month UptimeLog::month(int year, int month) const
{
    Month m;
    qint64 count = 0;
    for (auto it = m_days.days().rbegin(); it != m_days.days().rend(); ++it) {
        if (it->date.year() != year || it->date.month() != month)
            continue;
        m.dates.push_back(it->date);
        m.lines << dayLine(*it);
        m.total += it->total;
        ++count;
    }
    m.average = count ? std::llround(double(m.total) / double(count)) : 0;
    m.totalText = QStringLiteral("Razem: ") + longDurationText(m.total);
    m.averageText = QStringLiteral("Średnio: ") + longDurationText(m.average);
    return m;
}

std::vector<UptimeLog::Bar> UptimeLog::chartBars(int year, int month, ChartKind kind) const
{
    using monthchart::timeHeight;
    std::vector<Bar> bars;
    for (const UptimeDay& d : m_days.days()) {
        if (d.date.year() != year || d.date.month() != month)
            continue;
        qint64 sum = 0;
        for (const UptimeRunLine& r : d.runs) {
            if (kind == ChartKind::Ranges) {
                bars.push_back({d.date.day(), timeHeight(r.start.msecsSinceStartOfDay() / 1000),
                                timeHeight(r.end.msecsSinceStartOfDay() / 1000)});
            } else {
                sum = qMin<qint64>(sum + r.seconds(), 86400);
                bars.push_back({d.date.day(), 0, timeHeight(sum)});
            }
        }
    }
    const QDateTime now = m_clock.now();
    if (kind == ChartKind::Ranges && now.date().year() == year && now.date().month() == month
        && m_currentStart.date() == now.date()) {
        bars.push_back({now.date().day(), timeHeight(m_currentStart.time().msecsSinceStartOfDay() / 1000),
                        timeHeight(now.time().msecsSinceStartOfDay() / 1000)});
    }
    return bars;
}

std::optional<QString> UptimeLog::chartHint(const QDate& date) const
{
    const UptimeDay* d = m_days.day(date);
    if (!d || d->total <= 0)
        return std::nullopt;
    return chartHintDay(date) + QStringLiteral("\rCzas zsumowany: ") + hmsText(d->total);
}

QString UptimeLog::recordLocation() const
{
    return m_source.location();
}

namespace uptimecost {

QString defaultPriceText(const NumberStyle& style)
{
    return formatNumber(kDefaultPrice, 4, false, style);
}

QString defaultPowerText(const NumberStyle& style)
{
    return formatNumber(kDefaultPower, 3, false, style);
}

std::optional<double> parseRate(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || t.isEmpty())
        return std::nullopt;
    return v;
}

QString badInputMessage(const QString& text)
{
    return QStringLiteral("Błędne dane: ") + text;
}

double cost(double price, qint64 seconds, double power)
{
    return std::round(price * (double(seconds) / 3600.0) * power * 100.0) / 100.0;
}

QString costText(double price, qint64 seconds, double power, const NumberStyle& style)
{
    return QStringLiteral("Razem: ") + formatNumber(cost(price, seconds, power), 2, false, style) + QStringLiteral(" zł");
}

} // namespace uptimecost

} // namespace zorvex

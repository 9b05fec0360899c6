#include "core/status/MouseOdometer.h"

#include "core/common/Clock.h"
#include "core/common/IniFile.h"
#include "core/status/MouseDistance.h"
#include "core/status/StatusText.h"

#include <cmath>
#include <cstdlib>

namespace zorvex {
namespace {

const QString kSection = QStringLiteral("Ruch");

} // namespace

MouseOdometer::MouseOdometer(const Clock& clock, PointerSource& pointer, QString ruchPath)
    : m_clock(clock)
    , m_pointer(pointer)
    , m_path(std::move(ruchPath))
{
}

void MouseOdometer::begin()
{
    m_last = m_pointer.available() ? m_pointer.position() : std::nullopt;
}

void MouseOdometer::sample()
{
    const std::optional<QPoint> p = m_pointer.available() ? m_pointer.position() : std::nullopt;
    if (p && m_last) {
        const qint64 step = std::llabs(qint64(p->x()) - m_last->x()) + std::llabs(qint64(p->y()) - m_last->y());
        // An overflow starts the count again rather than going negative.
        if (__builtin_add_overflow(m_travel, step, &m_travel))
            m_travel = 0;
    }
    m_last = p;
}

void MouseOdometer::commitDay(const QDate& date)
{
    addToDay(date, m_travel);
    m_travel = 0;
}

void MouseOdometer::addToDay(const QDate& date, qint64 pixels)
{
    if (pixels <= 0 || !date.isValid())
        return;
    IniFile ini = IniFile::load(m_path);
    const QString key = statusDateText(date);
    ini.writeInteger(kSection, key, saturatingAdd(storedCount(ini.readString(kSection, key)), pixels));
    ini.save(m_path);
    loadDays();
}

void MouseOdometer::loadDays()
{
    m_days = DaySeries::fromSection(IniFile::load(m_path), kSection, m_clock.now().date(), storedCount);
}

QString MouseOdometer::dayLine(const DayValue& d) const
{
    return QLatin1Char(' ') + statusDateText(d.date) + QStringLiteral(" - ") + mouseCompact(d.value);
}

QStringList MouseOdometer::dayLines() const
{
    QStringList lines;
    for (const DayValue& d : m_days.days())
        lines << dayLine(d);
    return lines;
}

QString MouseOdometer::largestText() const
{
    const auto d = m_days.largest();
    return QStringLiteral("Największa odległość w dniu ") + statusDateText(d ? d->date : m_clock.now().date())
        + QStringLiteral(": ") + mouseLabel(d ? d->value : 0);
}

QString MouseOdometer::smallestText() const
{
    const auto d = m_days.smallest();
    return QStringLiteral("Najmniejsza odległość w dniu ") + statusDateText(d ? d->date : m_clock.now().date())
        + QStringLiteral(": ") + mouseLabel(d ? d->value : 0);
}

QString MouseOdometer::currentText() const
{
    return QStringLiteral("Aktualnie uruchomionego systemu: ") + mouseLabel(m_travel);
}

QString MouseOdometer::totalText() const
{
    const QDate first = m_days.empty() ? m_clock.now().date() : m_days.days().front().date;
    return QStringLiteral("Łącznie od dnia ") + statusDateText(first) + QStringLiteral(" do dzisiejszego: ")
        + mouseLabel(saturatingAdd(m_days.sum(), m_travel));
}

MouseOdometer::Month MouseOdometer::month(int year, int month) const
{
    Month m;
    m.days = m_days.month(year, month);
    for (const DayValue& d : m.days.days())
        m.lines << dayLine(d);
    m.totalText = QStringLiteral("Razem: ") + mouseLabel(m.days.sum());
    m.averageText = QStringLiteral("Średnio: ") + mouseLabel(m.days.average());
    const auto largest = m.days.largest();
    m.largest = largest ? largest->value : 0;
    // Pixels to metres: 0.2 mm each.
    for (const auto& label : monthchart::axisLabels(double(m.largest) / 5000.0))
        m.axis.push_back(QString::number(std::llround(label.value)));
    return m;
}

QString MouseOdometer::chartHint(const QDate& date) const
{
    const auto v = m_days.valueOn(date);
    return chartHintDay(date) + QStringLiteral("\rRuch: ")
        + (v ? mouseCompact(*v).trimmed() : QStringLiteral("0km 0m 0cm 0mm"));
}

} // namespace zorvex

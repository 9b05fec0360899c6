#include "core/reminders/UpcomingDates.h"

#include "core/common/Cp1250.h"
#include "core/reminders/ReminderPhrases.h"

#include <QLocale>

#include <algorithm>

namespace zorvex {

QString UpcomingRow::weekday() const
{
    return QLocale(QLocale::Polish, QLocale::Poland).dayName(date.dayOfWeek(), QLocale::LongFormat);
}

QString UpcomingRow::when() const { return whenText(daysAhead); }

QString UpcomingRow::toRecord() const
{
    QStringList groupTexts;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        groupTexts << QString::number(it.key()) + kKindMark + it.value().join(QStringLiteral(", "));
    return QStringList{QStringLiteral("%1").arg(daysAhead, 2, 10, QLatin1Char('0')),
                       date.toString(QStringLiteral("dd.MM.yyyy")), weekday(), when(),
                       groupTexts.join(kGroupSeparator)}
        .join(kListSeparator);
}

namespace {

class RowCollector {
public:
    explicit RowCollector(const QDate& today)
        : m_today(today)
    {
    }

    // The year the entry falls in when looking ahead from today: a January
    // date seen from December is next year's.
    int occurrenceYear(int month) const
    {
        return m_today.year() + (month == 1 && m_today.month() == 12 ? 1 : 0);
    }

    QDate dateOf(int day, int month, bool leapDayToEve) const
    {
        return occurrence(occurrenceYear(month), month, day, leapDayToEve);
    }

    void add(const QDate& date, EventKind kind, const QString& text)
    {
        if (!date.isValid())
            return;
        const qint64 ahead = m_today.daysTo(date);
        if (ahead < 0 || ahead > kUpcomingDays)
            return;
        auto it = std::find_if(m_rows.begin(), m_rows.end(), [&](const UpcomingRow& r) { return r.date == date; });
        if (it == m_rows.end()) {
            m_rows.append(UpcomingRow{int(ahead), date, {}});
            it = m_rows.end() - 1;
        }
        it->groups[int(kind)] << text;
    }

    QList<UpcomingRow> rows()
    {
        std::stable_sort(m_rows.begin(), m_rows.end(),
                         [](const UpcomingRow& a, const UpcomingRow& b) { return a.daysAhead < b.daysAhead; });
        return m_rows;
    }

private:
    QDate m_today;
    QList<UpcomingRow> m_rows;
};

} // namespace

QList<UpcomingRow> upcomingRows(const ReminderLists& lists, const UpcomingKinds& kinds, const QDate& today)
{
    RowCollector rows(today);
    if (kinds.persons) {
        for (const PersonEntry& p : lists.persons) {
            if (!p.hasBirthday())
                continue;
            const QDate date = rows.dateOf(p.birthDay, p.birthMonth, true);
            rows.add(date, EventKind::Birthday, p.name + QLatin1Char(' ') + agePhrase(date.year() - p.birthYear));
        }
        for (const PersonEntry& p : lists.persons) {
            if (p.hasNameDay())
                rows.add(rows.dateOf(p.nameDay, p.nameDayMonth, true), EventKind::NameDay, p.name);
        }
    }
    if (kinds.important) {
        for (const ImportantDayEntry& e : lists.importantDays)
            rows.add(rows.dateOf(e.day, e.month, false), EventKind::ImportantDay, e.name);
    }
    if (kinds.privateDays) {
        for (const QString& line : lists.privateLines) {
            const PrivateEntry e = PrivateEntry::parse(line);
            const int year = rows.occurrenceYear(e.month);
            const QDate date = rows.dateOf(e.day, e.month, false);
            if (e.isAnniversary()) {
                const int years = year - *e.startYear;
                if (years > 0)
                    rows.add(date, EventKind::Anniversary, e.name + QStringLiteral(" (%1)").arg(years));
            } else if (e.year == year) {
                rows.add(date, EventKind::PrivateDay, e.name);
            }
        }
    }
    return rows.rows();
}

bool upcomingDueWithin(const QList<UpcomingRow>& rows, int days)
{
    return std::any_of(rows.begin(), rows.end(), [days](const UpcomingRow& r) { return r.daysAhead <= days; });
}

QString todayText(const ReminderLists& lists, const TodayKinds& kinds, const QDate& today)
{
    const auto isToday = [&](int day, int month) { return day == today.day() && month == today.month(); };
    QStringList lines;
    if (kinds.persons) {
        for (const PersonEntry& p : lists.persons) {
            if (p.hasBirthday() && isToday(p.birthDay, p.birthMonth))
                lines << QStringLiteral("Dzisiaj %1 urodziny obchodzi: ").arg(today.year() - p.birthYear) + p.name;
        }
        for (const PersonEntry& p : lists.persons) {
            if (p.hasNameDay() && isToday(p.nameDay, p.nameDayMonth))
                lines << QStringLiteral("Dzisiaj imieniny ma: ") + p.name;
        }
    }
    if (kinds.important) {
        for (const ImportantDayEntry& e : lists.importantDays) {
            if (isToday(e.day, e.month))
                lines << QStringLiteral("Dzisiaj: ") + e.name;
        }
    }
    if (kinds.privateDays) {
        for (const QString& line : lists.privateLines) {
            const PrivateEntry e = PrivateEntry::parse(line);
            if (!isToday(e.day, e.month))
                continue;
            if (e.isAnniversary()) {
                if (*e.startYear <= today.year())
                    lines << QStringLiteral("Rocznica: ") + e.name + QStringLiteral(" (%1)").arg(today.year() - *e.startYear);
            } else if (e.year == today.year()) {
                lines << QStringLiteral("Dzisiaj: ") + e.name;
            }
        }
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace zorvex

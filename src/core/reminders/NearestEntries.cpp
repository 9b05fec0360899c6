#include "core/reminders/NearestEntries.h"

#include "core/reminders/ReminderPhrases.h"

#include <QLocale>

namespace zorvex {

QString NearestEntry::dateLine() const
{
    return QLocale(QLocale::Polish, QLocale::Poland).toString(date, QStringLiteral("dddd dd MMM yyyy")) + QLatin1Char(' ')
        + daysLeftPhrase(daysLeft);
}

namespace {

class Nearest {
public:
    explicit Nearest(const QDate& today)
        : m_today(today)
    {
    }

    // The next day/month strictly after today. A leap-day birthday moved to
    // 28 February may land on today itself; then it is next year's.
    QDate next(int day, int month, bool leapDayToEve) const
    {
        const bool passed = month < m_today.month() || (month == m_today.month() && day <= m_today.day());
        const int year = m_today.year() + (passed ? 1 : 0);
        QDate date = occurrence(year, month, day, leapDayToEve);
        if (date.isValid() && date <= m_today)
            date = occurrence(year + 1, month, day, leapDayToEve);
        return date;
    }

    void offer(const QDate& date, const QString& text)
    {
        if (!date.isValid())
            return;
        const int left = int(m_today.daysTo(date));
        if (!m_best || left < m_best->daysLeft) {
            m_best = NearestEntry{date, left, text};
        } else if (left == m_best->daysLeft) {
            m_best->names += QStringLiteral(", ") + text;
        }
    }

    std::optional<NearestEntry> result() const { return m_best; }

private:
    QDate m_today;
    std::optional<NearestEntry> m_best;
};

} // namespace

std::optional<NearestEntry> nearestBirthday(const QList<PersonEntry>& persons, const QDate& today)
{
    Nearest n(today);
    for (const PersonEntry& p : persons) {
        if (!p.hasBirthday())
            continue;
        const QDate date = n.next(p.birthDay, p.birthMonth, true);
        n.offer(date, p.name + QLatin1Char(' ') + agePhrase(date.year() - p.birthYear));
    }
    return n.result();
}

std::optional<NearestEntry> nearestNameDay(const QList<PersonEntry>& persons, const QDate& today)
{
    Nearest n(today);
    for (const PersonEntry& p : persons) {
        if (p.hasNameDay())
            n.offer(n.next(p.nameDay, p.nameDayMonth, true), p.name);
    }
    return n.result();
}

std::optional<NearestEntry> nearestImportantDay(const QList<ImportantDayEntry>& days, const QDate& today)
{
    Nearest n(today);
    for (const ImportantDayEntry& e : days)
        n.offer(n.next(e.day, e.month, false), e.name);
    return n.result();
}

std::optional<NearestEntry> nearestPrivateDay(const QStringList& privateLines, const QDate& today)
{
    Nearest n(today);
    for (const QString& line : privateLines) {
        const PrivateEntry e = PrivateEntry::parse(line);
        if (e.isAnniversary())
            continue;
        const QDate date = n.next(e.day, e.month, false);
        if (date.isValid() && e.year == date.year())
            n.offer(date, e.name);
    }
    return n.result();
}

std::optional<NearestEntry> nearestAnniversary(const QStringList& privateLines, const QDate& today)
{
    Nearest n(today);
    for (const QString& line : privateLines) {
        const PrivateEntry e = PrivateEntry::parse(line);
        if (!e.isAnniversary())
            continue;
        const QDate date = n.next(e.day, e.month, false);
        if (!date.isValid())
            continue;
        const int years = date.year() - *e.startYear;
        n.offer(date, years > 0 ? e.name + QStringLiteral(" (%1)").arg(years) : e.name);
    }
    return n.result();
}

} // namespace zorvex

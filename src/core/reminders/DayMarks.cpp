#include "core/reminders/DayMarks.h"

#include "core/common/Cp1250.h"
#include "core/common/Text.h"
#include "core/reminders/ReminderPhrases.h"
#include "core/reminders/ReminderSettings.h"
#include "core/settings/MainWindowSettings.h"

#include <algorithm>

namespace zorvex {

CalendarMarkSettings CalendarMarkSettings::from(const MainWindowSettings& main, const PersonReminderSettings& persons,
                                                const ImportantDaySettings& important,
                                                const PrivateDaySettings& privateDays)
{
    CalendarMarkSettings m;
    m.birthdays = persons.birthdaysOnCalendar;
    m.nameDays = persons.nameDaysOnCalendar;
    m.importantDays = important.onCalendar;
    m.privateDays = privateDays.onCalendar;
    m.colours = {main.birthdayColour, main.nameDayColour, main.importantDayColour, main.privateDayColour};
    m.precedence = colourPrecedence(main.markingPrecedence);
    return m;
}

std::array<int, 4> colourPrecedence(const QString& value)
{
    std::array<int, 4> order{1, 2, 3, 4};
    if (value.size() != 4)
        return order;
    std::vector<int> kinds;
    for (QChar c : value) {
        const int kind = c.isDigit() ? c.digitValue() : 1;
        if (kind >= 1 && kind <= 4 && std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            kinds.push_back(kind);
    }
    for (int kind = 1; kind <= 4; ++kind) {
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            kinds.push_back(kind);
    }
    std::copy(kinds.begin(), kinds.end(), order.begin());
    return order;
}

namespace {

class MonthMarker {
public:
    MonthMarker(const CalendarMarkSettings& marks, int year, int month)
        : m_marks(marks)
        , m_result(year, month)
    {
        for (int i = 0; i < 4; ++i)
            m_rank[size_t(marks.precedence[size_t(i)] - 1)] = i;
        m_best.fill(4);
    }

    // `date` must be a day of the month.
    void mark(const QDate& date, int category, const QString& line, DayMenuEntry::Group group, int index,
              const QString& label)
    {
        DayAnnotation& day = *m_result.dayOf(date.day());
        m_lines[size_t(date.day() - 1)] << line;
        day.entries.append(DayMenuEntry{group, index, label});
        const int rank = m_rank[size_t(category - 1)];
        int& best = m_best[size_t(date.day() - 1)];
        // A marked day changes colour only for a category the user ranks
        // above every category that marked it before.
        if (day.colour == kGridBackground || rank < best)
            day.colour = m_marks.colours[size_t(category - 1)];
        best = std::min(best, rank);
    }

    DayAnnotations finish(const QDate& today)
    {
        for (int d = 1; d <= 31; ++d) {
            const QStringList& lines = m_lines[size_t(d - 1)];
            if (lines.isEmpty())
                continue;
            const QDate date(m_result.year, m_result.month, d);
            const QString when = relativeDayPhrase(int(today.daysTo(date)));
            QString hint = lines.join(QLatin1Char('\n'));
            if (!when.isEmpty())
                hint = lines.size() == 1 ? hint + QLatin1Char('\n') + when : when + QLatin1Char('\n') + hint;
            m_result.dayOf(d)->hint = hint.trimmed();
        }
        return m_result;
    }

private:
    const CalendarMarkSettings& m_marks;
    DayAnnotations m_result;
    std::array<QStringList, 31> m_lines;
    std::array<int, 4> m_rank{};
    std::array<int, 31> m_best{};
};

} // namespace

DayAnnotations buildDayAnnotations(const ReminderLists& lists, const CalendarMarkSettings& marks, int year, int month,
                                   const QDate& today)
{
    MonthMarker marker(marks, year, month);
    const auto inMonth = [&](int entryMonth, int day, bool leapDayToEve) {
        return entryMonth == month ? occurrence(year, month, day, leapDayToEve) : QDate();
    };

    if (marks.birthdays) {
        for (int i = 0; i < lists.persons.size(); ++i) {
            const PersonEntry& p = lists.persons[i];
            const QDate date = p.hasBirthday() ? inMonth(p.birthMonth, p.birthDay, true) : QDate();
            if (!date.isValid() || year < p.birthYear)
                continue;
            marker.mark(date, 1, QStringLiteral("Urodziny: ") + p.name + QLatin1Char(' ') + agePhrase(year - p.birthYear),
                        DayMenuEntry::Persons, i, QStringLiteral("Urodziny: ") + p.name);
        }
    }
    if (marks.nameDays) {
        for (int i = 0; i < lists.persons.size(); ++i) {
            const PersonEntry& p = lists.persons[i];
            const QDate date = p.hasNameDay() ? inMonth(p.nameDayMonth, p.nameDay, true) : QDate();
            if (!date.isValid())
                continue;
            const QString text = QStringLiteral("Imieniny: ") + p.name;
            marker.mark(date, 2, text, DayMenuEntry::Persons, i, text);
        }
    }
    if (marks.importantDays) {
        for (int i = 0; i < lists.importantDays.size(); ++i) {
            const ImportantDayEntry& e = lists.importantDays[i];
            const QDate date = inMonth(e.month, e.day, false);
            if (!date.isValid())
                continue;
            const QString text = QStringLiteral("Ważny dzień: ") + e.name;
            marker.mark(date, 3, text, DayMenuEntry::ImportantDays, i, text);
        }
    }
    if (marks.privateDays) {
        for (int i = 0; i < lists.privateLines.size(); ++i) {
            const PrivateEntry e = PrivateEntry::parse(lists.privateLines[i]);
            const QDate date = inMonth(e.month, e.day, false);
            if (!date.isValid())
                continue;
            if (e.isAnniversary()) {
                if (*e.startYear > year)
                    continue;
                const QString label = QStringLiteral("Rocznica: ") + e.name;
                marker.mark(date, 4, label + QStringLiteral(" (%1)").arg(year - *e.startYear), DayMenuEntry::PrivateDays,
                            i, label);
            } else if (e.year == year) {
                const QString text = QStringLiteral("Prywatny dzień: ") + e.name;
                marker.mark(date, 4, text, DayMenuEntry::PrivateDays, i, text);
            }
        }
    }
    return marker.finish(today);
}

QString encodeMenuEntry(const DayMenuEntry& e)
{
    return QString::number(e.group) + QLatin1Char('|') + QString::number(e.index) + QLatin1Char('|') + UrlEncode(e.label)
        + kListSeparator;
}

QString encodeMenuEntries(const QList<DayMenuEntry>& entries)
{
    QString out;
    for (const DayMenuEntry& e : entries)
        out += encodeMenuEntry(e);
    return out;
}

QList<DayMenuEntry> decodeMenuEntries(QStringView text)
{
    QList<DayMenuEntry> out;
    for (QStringView piece : text.split(kListSeparator, Qt::SkipEmptyParts)) {
        const QString p = piece.toString();
        bool groupOk = false, indexOk = false;
        const int group = PipeField(p, 1).toInt(&groupOk);
        const int index = PipeField(p, 2).toInt(&indexOk);
        if (!groupOk || !indexOk || group < DayMenuEntry::Persons || group > DayMenuEntry::PrivateDays || index < 0)
            continue;
        out.append(DayMenuEntry{group, index, UrlDecode(PipeField(p, 3))});
    }
    return out;
}

} // namespace zorvex

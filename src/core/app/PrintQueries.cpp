#include "core/app/PrintQueries.h"

#include "core/app/Settings.h"
#include "core/calendar/DayFile.h"
#include "core/calendar/PolishNames.h"
#include "core/calendar/Sentence.h"
#include "core/calendar/SunTimes.h"
#include "core/calendar/Zodiac.h"
#include "core/common/PathTable.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderFiles.h"
#include "core/reminders/UpcomingDates.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace zorvex {
namespace {

QString kindName(int kind)
{
    switch (EventKind(kind)) {
    case EventKind::Birthday: return QStringLiteral("birthday");
    case EventKind::NameDay: return QStringLiteral("name_day");
    case EventKind::ImportantDay: return QStringLiteral("important_day");
    case EventKind::PrivateDay: return QStringLiteral("private_day");
    case EventKind::Anniversary: return QStringLiteral("anniversary");
    }
    return QStringLiteral("other");
}

// The Polish words of the kinds, for the plain-text output.
QString kindLabel(const QString& kind)
{
    if (kind == QLatin1String("birthday"))
        return QStringLiteral("urodziny");
    if (kind == QLatin1String("name_day"))
        return QStringLiteral("imieniny");
    if (kind == QLatin1String("important_day"))
        return QString::fromUtf8("ważny dzień");
    if (kind == QLatin1String("private_day"))
        return QStringLiteral("prywatne");
    if (kind == QLatin1String("anniversary"))
        return QStringLiteral("rocznica");
    return kind;
}

QList<PrintedEvent> eventsOf(const UpcomingRow& row)
{
    QList<PrintedEvent> out;
    for (auto it = row.groups.cbegin(); it != row.groups.cend(); ++it) {
        for (const QString& text : it.value())
            out.append({kindName(it.key()), text});
    }
    return out;
}

QString hhmm(int minutes)
{
    return clockText(minutes);
}

QByteArray compact(const QJsonDocument& doc)
{
    return doc.toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

DayReport dayReport(const PathTable& paths, const QDate& date)
{
    DayReport r;
    r.date = date;
    r.weekday = polishWeekdayName(date.dayOfWeek());
    r.nameDays = lookupNameDay(paths.path(PathId::Imieniny), date);
    r.sentence = displayedSentence(lookupSentence(paths.path(PathId::Sentencje), date));
    // Noon of that date in the system's zone: Poland's daylight rule for
    // that very day decides the offset, whatever today is.
    const QTimeZone zone = QTimeZone::systemTimeZone();
    const PlaceSun sun = placeSunAt(QDateTime(date, QTime(12, 0), zone), zone);
    r.sunrise = hhmm(sun.sun.sunrise);
    r.sunset = hhmm(sun.sun.sunset);
    r.dayLengthMinutes = sun.sun.dayLength;
    r.dayOfYear = date.dayOfYear();
    r.isoWeek = date.weekNumber();
    r.zodiac = zodiacSignName(SignOf(date));
    const QList<UpcomingRow> rows = upcomingRows(loadReminderLists(paths), UpcomingKinds{}, date);
    for (const UpcomingRow& row : rows) {
        if (row.daysAhead == 0)
            r.events += eventsOf(row);
    }
    return r;
}

QString dayReportText(const DayReport& r)
{
    QStringList lines;
    lines << QStringLiteral("%1, %2").arg(r.date.toString(Qt::ISODate), r.weekday);
    if (!r.nameDays.isEmpty())
        lines << QStringLiteral("Imieniny: ") + r.nameDays;
    if (!r.sentence.isEmpty())
        lines << QStringLiteral("Sentencja: ") + r.sentence;
    lines << QString::fromUtf8("Wschód słońca: %1, zachód: %2, długość dnia: %3 godz. %4 min.")
                 .arg(r.sunrise, r.sunset)
                 .arg(r.dayLengthMinutes / 60)
                 .arg(r.dayLengthMinutes % 60, 2, 10, QLatin1Char('0'));
    lines << QString::fromUtf8("Dzień roku: %1, tydzień: %2, znak zodiaku: %3")
                 .arg(r.dayOfYear)
                 .arg(r.isoWeek)
                 .arg(r.zodiac);
    for (const PrintedEvent& e : r.events)
        lines << kindLabel(e.kind) + QStringLiteral(": ") + e.text;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QByteArray dayReportJson(const DayReport& r)
{
    QJsonArray events;
    for (const PrintedEvent& e : r.events)
        events.append(QJsonObject{{QStringLiteral("kind"), e.kind}, {QStringLiteral("text"), e.text}});
    const QJsonObject o{
        {QStringLiteral("date"), r.date.toString(Qt::ISODate)},
        {QStringLiteral("weekday"), r.weekday},
        {QStringLiteral("name_days"), r.nameDays},
        {QStringLiteral("sentence"), r.sentence},
        {QStringLiteral("sunrise"), r.sunrise},
        {QStringLiteral("sunset"), r.sunset},
        {QStringLiteral("day_length"), r.dayLengthMinutes},
        {QStringLiteral("day_of_year"), r.dayOfYear},
        {QStringLiteral("iso_week"), r.isoWeek},
        {QStringLiteral("zodiac"), r.zodiac},
        {QStringLiteral("events"), events},
    };
    return compact(QJsonDocument(o));
}

QList<UpcomingEntry> upcomingReport(const PathTable& paths, const Settings& settings, const QDate& today)
{
    const UpcomingDatesSettings& s = settings.wazneDatyPow;
    UpcomingKinds kinds;
    kinds.persons = s.includePersons;
    kinds.important = s.includeImportantDays;
    kinds.privateDays = s.includePrivateDays;
    QList<UpcomingEntry> out;
    for (const UpcomingRow& row : upcomingRows(loadReminderLists(paths), kinds, today)) {
        if (row.daysAhead > s.daysAhead)
            continue;
        for (const PrintedEvent& e : eventsOf(row))
            out.append({row.date, row.daysAhead, e});
    }
    return out;
}

QString upcomingText(const QList<UpcomingEntry>& entries)
{
    QString out;
    for (const UpcomingEntry& e : entries) {
        out += QStringLiteral("%1  %2  %3: %4\n")
                   .arg(e.date.toString(Qt::ISODate))
                   .arg(e.daysLeft, 2)
                   .arg(kindLabel(e.event.kind), e.event.text);
    }
    return out;
}

QByteArray upcomingJson(const QList<UpcomingEntry>& entries)
{
    QJsonArray list;
    for (const UpcomingEntry& e : entries) {
        list.append(QJsonObject{{QStringLiteral("date"), e.date.toString(Qt::ISODate)},
                                {QStringLiteral("days_left"), e.daysLeft},
                                {QStringLiteral("kind"), e.event.kind},
                                {QStringLiteral("text"), e.event.text}});
    }
    return compact(QJsonDocument(list));
}

QString monthText(const PathTable& paths, const Settings& settings, const QDate& date, const QDate& today)
{
    const int year = date.year();
    const int month = date.month();
    const CalendarMarkSettings marks = CalendarMarkSettings::from(settings.main, settings.solenizant, settings.inne,
                                                                  settings.prywatne);
    const DayAnnotations days = buildDayAnnotations(loadReminderLists(paths), marks, year, month, today);

    // Each day takes four columns: a mark, two digits and a closing mark.
    QString caption = polishMonthName(month) + QLatin1Char(' ') + QString::number(year);
    caption[0] = caption[0].toUpper();
    constexpr int kWidth = 7 * 4;
    QString out = QString((kWidth - int(caption.size())) / 2, QLatin1Char(' ')) + caption + QLatin1Char('\n');
    for (int i = 0; i < 7; ++i)
        out += QLatin1Char(' ') + weekdayHeaderName((i + 1) % 7) + (i < 6 ? QStringLiteral(" ") : QString());
    out += QLatin1Char('\n');
    const QDate first(year, month, 1);
    QString line = QString((first.dayOfWeek() - 1) * 4, QLatin1Char(' '));
    for (int d = 1; d <= first.daysInMonth(); ++d) {
        const QDate day(year, month, d);
        const bool isToday = day == today;
        const bool marked = days.day(d).colour != kGridBackground;
        line += isToday ? QLatin1Char('[') : QLatin1Char(' ');
        line += QStringLiteral("%1").arg(d, 2);
        line += isToday ? QLatin1Char(']') : marked ? QLatin1Char('*') : QLatin1Char(' ');
        if (day.dayOfWeek() == 7 || d == first.daysInMonth()) {
            while (line.endsWith(QLatin1Char(' ')))
                line.chop(1);
            out += line + QLatin1Char('\n');
            line.clear();
        }
    }
    return out;
}

} // namespace zorvex

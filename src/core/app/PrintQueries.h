#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimeZone>

namespace zorvex {

class PathTable;
struct Settings;

// What `zorvex --print` tells about the data folder, for status bars and
// scripts: read from the files, printed, and nothing is written.

struct PrintedEvent {
    QString kind; // birthday, name_day, important_day, private_day, anniversary
    QString text;
};

struct DayReport {
    QDate date;
    QString weekday;   // the Polish day name
    QString nameDays;  // as the name-day file holds them
    QString sentence;  // the sentence of the day, as shown
    QString sunrise;   // HH:MM, on the built-in place's own clock
    QString sunset;
    int dayLengthMinutes = 0;
    int dayOfYear = 0;
    int isoWeek = 0;
    QString zodiac;
    QList<PrintedEvent> events;
};
DayReport dayReport(const PathTable& paths, const QDate& date);
QString dayReportText(const DayReport& report);
QByteArray dayReportJson(const DayReport& report);

struct UpcomingEntry {
    QDate date;
    int daysLeft = 0;
    PrintedEvent event;
};
// The upcoming dates within the notice period of the settings, for the
// kinds the settings name.
QList<UpcomingEntry> upcomingReport(const PathTable& paths, const Settings& settings, const QDate& today);
QString upcomingText(const QList<UpcomingEntry>& entries);
QByteArray upcomingJson(const QList<UpcomingEntry>& entries);

// The month around `date` as the grid shows it, weeks from Monday, as a
// `cal`-like block: today in brackets, days with a reminder marked with "*".
QString monthText(const PathTable& paths, const Settings& settings, const QDate& date, const QDate& today);

} // namespace zorvex

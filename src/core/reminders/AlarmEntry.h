#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace zorvex {

enum class AlarmRecurrence {
    Once = 0,
    Daily = 1,
    Weekly = 2,
    Monthly = 3,
    Weekdays = 4,
    Weekend = 5,
    ChosenDays = 6,
    Periodic = 7,
};

enum class PowerAction { PowerOff = 0, Reboot = 1, Hibernate = 2, Suspend = 3, LogOff = 4, MonitorOff = 5 };

enum class AlarmMessageKind { None = 0, Box = 1, Balloon = 2 };
enum class AlarmIcon { None = 0, Exclamation = 1, Information = 2, Question = 3, Stop = 4 };

// One line of the alarm file. The date fields stay plain numbers because a
// hand-edited file may hold a date that does not exist.
struct AlarmEntry {
    bool active = true;
    AlarmRecurrence recurrence = AlarmRecurrence::Once;
    bool runLate = false;
    // The alarm's date (once), the last firing (1..6) or the start date
    // (periodic).
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    // Weekday 1..7 (weekly), day 1..31 (monthly), weekday mask (chosen
    // days), interval in days (periodic).
    int parameter = 0;
    // Periodic only: the day of the last firing; invalid before the first.
    QDate periodicLastFired;
    bool computerOn = false;
    PowerAction computerAction = PowerAction::PowerOff;
    bool programOn = false;
    QString program;
    bool soundOn = false;
    QString soundPath;
    AlarmMessageKind messageKind = AlarmMessageKind::None;
    // Lines separated by "\n" in memory.
    QString message;
    AlarmIcon icon = AlarmIcon::None;
    bool withCancel = false;

    QDate date() const { return QDate(year, month, day); }
    void setDate(const QDate& d);
    // Mask of the chosen days, bit 0 = Monday; 0 means every day.
    int weekdayMask() const { return parameter > 0 && parameter <= 127 ? parameter : 127; }

    // Whether a line of the file is an alarm at all: parse() reads anything.
    static bool isRecord(const QString& line);
    static AlarmEntry parse(const QString& line);
    QString toLine() const;
    bool operator==(const AlarmEntry&) const = default;
};

// Why the texts of `e` cannot be stored, in Polish for the user; empty when
// they can. The field separator and the letter the file uses for line breaks
// have no place in the file, and the texts must be Windows-1250.
QString alarmStorageProblem(const AlarmEntry& e);

// The alarm file: one line per alarm, CR LF, Windows-1250 (read as UTF-8 when
// an editor saved it so).
namespace AlarmFile {
// The alarms of the file. `ok` tells whether the file was read whole and
// every line was an alarm; only then, or when there is no file at all, may
// it be written from the list (mayReplaceAfterLoad).
QList<AlarmEntry> load(const QString& path, bool* ok = nullptr);
// Written atomically; on failure the old file stays and `error` says why.
bool save(const QString& path, const QList<AlarmEntry>& alarms, QString* error = nullptr);
} // namespace AlarmFile

// Caption of an alarm's message for its icon.
QString alarmMessageCaption(AlarmIcon icon);

// The row of the alarm list: "Raz 07:05, 01.02.2026", "Co 14 dni, od ...".
QString alarmListText(const AlarmEntry& e);

} // namespace zorvex

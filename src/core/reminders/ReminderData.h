#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// A person of "Osoby.ini": a birthday and a name day, each switched off by
// day 0.
struct PersonEntry {
    QString name;
    int birthDay = 1;
    int birthMonth = 1;
    int birthYear = 2000;
    int nameDay = 1;
    int nameDayMonth = 1;

    bool hasBirthday() const { return birthDay != 0; }
    bool hasNameDay() const { return nameDay != 0; }
    friend bool operator==(const PersonEntry&, const PersonEntry&) = default;
};

// An important day of "Uroczystosci.ini": a name recurring every year.
struct ImportantDayEntry {
    QString name;
    int day = 1;
    int month = 1;
    friend bool operator==(const ImportantDayEntry&, const ImportantDayEntry&) = default;
};

// One line of the private file, read: name, day, month, then either the
// start year of an anniversary or the year of a one-off private day.
struct PrivateEntry {
    QString name;
    int day = 1;
    int month = 1;
    std::optional<int> startYear; // field 4; a zero or unreadable year reads as none
    std::optional<int> year;      // field 5, when it holds a number
    QString startYearText;        // fields 4 and 5 as stored
    QString yearText;

    bool isAnniversary() const { return startYear.has_value(); }

    static PrivateEntry parse(const QString& line);
    // Builds the stored line: the year goes to field 4 for an anniversary,
    // else to field 5.
    static QString makeLine(const QString& name, int day, int month, int year, bool anniversary);
};

// The three reminder lists as the Tools pages hold them, in file order.
struct ReminderLists {
    QList<PersonEntry> persons;
    QList<ImportantDayEntry> importantDays;
    QStringList privateLines;
};

// Why a name cannot be stored, in the user's words; empty when it can.
// `privateList` also refuses the field separator of the private file.
QString checkEntryName(const QString& name, bool privateList);

} // namespace zorvex

#pragma once

#include "core/common/LineFile.h"
#include "core/reminders/ReminderData.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace zorvex {

enum class PersonSort { Surname, FullName, BirthDate, NameDay };
enum class ImportantDaySort { Name, Date };
enum class PrivateSort { Name, Date };

// "Osoby.ini". Every change opens the file, edits it and writes it back
// atomically at once; a failed write leaves the old file and says why in
// `error` (Polish, ready for the user).
namespace PersonFile {
QList<PersonEntry> load(const QString& path, bool* ok = nullptr);
bool append(const QString& path, const PersonEntry& e, QString* error = nullptr);
// `index` counts from 0 (section "Osoba" + index + 1).
bool replace(const QString& path, int index, const PersonEntry& e, QString* error = nullptr);
bool remove(const QString& path, int index, QString* error = nullptr);
bool sort(const QString& path, PersonSort by, bool descending, QString* error = nullptr);
} // namespace PersonFile

// "Uroczystosci.ini".
namespace ImportantDayFile {
QList<ImportantDayEntry> load(const QString& path, bool* ok = nullptr);
bool append(const QString& path, const ImportantDayEntry& e, QString* error = nullptr);
bool replace(const QString& path, int index, const ImportantDayEntry& e, QString* error = nullptr);
bool remove(const QString& path, int index, QString* error = nullptr);
bool sort(const QString& path, ImportantDaySort by, bool descending, QString* error = nullptr);
// After an update: drops the few movable feasts that older data files
// listed on fixed dates. Returns whether anything was dropped.
bool removeObsoleteFeasts(const QString& path, QString* error = nullptr);
} // namespace ImportantDayFile

// The per-profile private file: one line per entry, fields separated by the
// 0xFF byte, lines ended by CR LF. Held in memory as the lines themselves.
namespace PrivateFile {
QStringList load(const QString& path, bool* ok = nullptr);
bool save(const QString& path, const QStringList& lines, QString* error = nullptr);
// Older lines had neither year: they become private days of `currentYear`.
// Returns whether any line changed.
bool addMissingYears(QStringList& lines, int currentYear);
void sort(QStringList& lines, PrivateSort by, bool descending);
} // namespace PrivateFile

class PathTable;
// Reads the three lists from their files. A list that cannot be read is
// empty; the others are still read.
ReminderLists loadReminderLists(const PathTable& paths);

// Sort keys, exposed for the tests of the collation.
QString surnameFirst(const QString& name);
// Polish-aware comparison of two keys, blind to case.
int compareSortKeys(const QString& a, const QString& b);

} // namespace zorvex

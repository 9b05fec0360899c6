#pragma once

#include "core/common/DayTime.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceClient.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zorvex {

// The stored stamp line that makes the next check fetch every list.
inline constexpr char kEmptyStampLine[] = "UPDATE|0|0|0|0|0|0|0";

// The lists the update check keeps current, in the order the summary names
// them.
enum class UpdateList { Maps, Cities, Misc, TimeServers, Stations };

struct UpdateListInfo {
    UpdateList list;
    int field;          // its stamp's field in the stamp line (from 1)
    ServiceList service;
    PathId file;        // where the lines are written
    const char* summary; // its line in "Zaktualizowano:"
};
const std::array<UpdateListInfo, 5>& updateLists();

// The stamp line of a "update.php" answer: the last line whose first field is
// "UPDATE" (any case), as its eight fields (missing ones empty).
std::optional<QStringList> findStampLine(const QStringList& lines);

// Whether the service offers an update level other than the program's.
bool programUpdateOffered(const QStringList& stampFields);

// The line stored after a check that updated `updated`: "UPDATE", the
// offered update level when it differs from the program's (else the stored
// one), then each list's new stamp when that list was updated, else the
// stored one; field 7, which no list uses, comes from the answer.
QString mergedStampLine(const QString& stored, const QStringList& answer, const QList<UpdateList>& updated);

// "Zaktualizowano:" and one line per updated list, in the table's order.
QString updateSummary(const QList<UpdateList>& updated);

// The caption of the update group: "Aktualizacja danych Zorvex
// (ostatnio sprawdzana: hh:mm - dd.MM.yyyy)", or without the brackets when
// never checked.
QString lastCheckCaption(DayTime lastCheck);

// The stamp line kept in "Profile.ini" (Vuzuvured/Update). While it still
// holds the default, a different value of the settings file's older key
// (`olderValue`) is taken instead.
QString loadStampLine(const QString& profileIni, const QString& olderValue);
bool storeStampLine(const QString& profileIni, const QString& line);

// Writes a list's lines as the list files keep them (Windows-1250, CR LF).
bool writeListFile(const QString& path, const QStringList& lines);

// Whether the automatic check at start is due: daily when the last check
// was not today, weekly when more than 6 whole days have passed since it.
bool automaticCheckDue(int everyHowOften, DayTime lastCheckDate, const QDate& today);

} // namespace zorvex

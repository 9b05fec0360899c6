#pragma once

#include "core/status/DaySeries.h"
#include "core/status/UptimeRuns.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <map>
#include <vector>

namespace zorvex {

class IniFile;

// "Czas.ini": section "Daty" lists the days (keys 1, 2, 3 ...); each day's
// section holds its running seconds under "0" and its runs as
// "HH:mm:ss|HH:mm:ss" under 1, 2, 3 ... "Czas2.ini" lists the runs read at
// the previous start, one "start|end" line each, so none is added twice.
namespace uptimefile {

inline constexpr int kDayCap = 86399;
inline constexpr int kWholeDayCap = 86400;

struct ImportResult {
    int added = 0;          // run lines written to "Czas.ini"
    bool czasWritten = false;
    bool czas2Written = false;
    bool failed = false;    // "Czas.ini" could not be written, or one of the two files is there but
                            // could not be read whole: "Czas2.ini" kept as it was
};

// Adds the runs not listed in "Czas2.ini" to "Czas.ini", then lists every
// run of `runs` in "Czas2.ini". Runs that end not after their start, or do
// not lie before `now`, are skipped; a run over midnight is split at each
// midnight. A file is rewritten only when its content changes.
ImportResult importRuns(const QString& czasPath, const QString& czas2Path, const std::vector<UptimeRun>& runs,
                        const QDateTime& now);

// Adds one run to the loaded file (the rules above, without "Czas2.ini").
// Returns the number of run lines written.
int addRun(IniFile& czas, const UptimeRun& run, const QDateTime& now);

} // namespace uptimefile

struct UptimeRunLine {
    int number = 0;
    QTime start;
    QTime end;
    qint64 seconds() const;
};

struct UptimeDay {
    QDate date;
    qint64 total = 0;
    std::vector<UptimeRunLine> runs; // in key order
};

// The days of "Czas.ini" as the pages show them. Dates and times that do not
// parse are left out.
class UptimeDays {
public:
    static UptimeDays load(const QString& czasPath);
    static UptimeDays fromIni(const IniFile& czas);

    // Oldest first.
    const std::vector<UptimeDay>& days() const { return m_days; }
    const UptimeDay* day(const QDate& date) const;
    DaySeries totals() const;

private:
    std::vector<UptimeDay> m_days;
};

} // namespace zorvex

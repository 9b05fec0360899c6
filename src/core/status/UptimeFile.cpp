#include "core/status/UptimeFile.h"

#include "core/common/AtomicFile.h"
#include "core/common/Cp1250.h"
#include "core/common/DataFile.h"
#include "core/common/IniFile.h"
#include "core/common/Text.h"
#include "core/status/StatusText.h"

#include <QSet>

#include <algorithm>

namespace zorvex {
namespace uptimefile {
namespace {

const QString kDaty = QStringLiteral("Daty");

// One piece of a run inside one day.
struct Piece {
    QDate date;
    QTime from;
    QTime to;
    int cap = kDayCap;
};

// The first free numbered key from `count` on: a section whose numbers have
// gaps would otherwise have a line overwritten.
QString nextKey(const IniFile& ini, const QString& section, int count)
{
    while (ini.hasKey(section, QString::number(count)))
        ++count;
    return QString::number(count);
}

void listDay(IniFile& ini, const QDate& date)
{
    const QString text = statusDateText(date);
    const QStringList keys = ini.keys(kDaty);
    for (const QString& k : keys) {
        if (ini.readString(kDaty, k) == text)
            return;
    }
    ini.writeString(kDaty, nextKey(ini, kDaty, int(keys.size()) + 1), text);
}

bool hasStart(const IniFile& ini, const QString& section, const QString& start)
{
    for (const QString& k : ini.keys(section)) {
        if (k != QLatin1String("0") && PipeField(ini.readString(section, k), 1) == start)
            return true;
    }
    return false;
}

// Steps 2 to 4 for one piece; false when it was skipped.
bool addPiece(IniFile& ini, const Piece& p)
{
    listDay(ini, p.date);
    const QString section = statusDateText(p.date);
    const QString from = statusTimeText(p.from);
    if (hasStart(ini, section, from))
        return false;
    const qint64 seconds = qMax(0, p.from.secsTo(p.to));
    const qint64 total = qBound(qint64(0), ini.readInt64(section, QStringLiteral("0"), 0), qint64(p.cap));
    ini.writeInteger(section, QStringLiteral("0"), qMin<qint64>(total + seconds, p.cap));
    ini.writeString(section, nextKey(ini, section, int(ini.keys(section).size())),
                    from + QLatin1Char('|') + statusTimeText(p.to));
    return true;
}

bool beforeNow(const QDate& d, const QTime& t, const QDateTime& now)
{
    return QDateTime(d, t) < now;
}

} // namespace

int addRun(IniFile& ini, const UptimeRun& run, const QDateTime& now)
{
    if (!run.start.isValid() || !run.end.isValid() || run.end <= run.start || run.start >= now || run.end >= now)
        return 0;
    const QDate first = run.start.date();
    const QDate last = run.end.date();
    const QTime endOfDay(23, 59, 59);
    if (first == last)
        return addPiece(ini, {first, run.start.time(), run.end.time(), kDayCap}) ? 1 : 0;

    int added = addPiece(ini, {first, run.start.time(), endOfDay, kDayCap}) ? 1 : 0;
    if (first.daysTo(last) >= 365)
        return added;
    std::vector<Piece> queued;
    for (QDate d = first.addDays(1); d < last; d = d.addDays(1))
        queued.push_back({d, QTime(0, 0), endOfDay, kWholeDayCap});
    queued.push_back({last, QTime(0, 0), run.end.time(), kWholeDayCap});
    for (const Piece& p : queued) {
        // Each piece passes the same checks as a run of its own.
        if (p.to <= p.from || !beforeNow(p.date, p.from, now) || !beforeNow(p.date, p.to, now))
            continue;
        added += addPiece(ini, p) ? 1 : 0;
    }
    return added;
}

ImportResult importRuns(const QString& czasPath, const QString& czas2Path, const std::vector<UptimeRun>& runs,
                        const QDateTime& now)
{
    ImportResult result;
    // A file that is there but cannot be read whole is never written over:
    // "Czas.ini" would lose its days, and without "Czas2.ini" every run
    // would be counted a second time.
    const FileRead list = readDataFile(czas2Path);
    const FileRead czasFile = readDataFile(czasPath);
    if ((!list.read() && list.status != FileReadStatus::Missing)
        || (!czasFile.read() && czasFile.status != FileReadStatus::Missing)) {
        result.failed = true;
        return result;
    }
    const QByteArray& oldList = list.bytes;
    QSet<QString> known;
    for (const QString& line : fromCp1250(oldList).split(QLatin1Char('\n'))) {
        const QString t = line.trimmed();
        if (!t.isEmpty())
            known.insert(t);
    }

    const QByteArray& oldCzas = czasFile.bytes;
    IniFile czas = IniFile::fromBytes(oldCzas);
    QByteArray newList;
    for (const UptimeRun& run : runs) {
        const QString text = run.text();
        newList += toCp1250(text) + "\r\n";
        if (!known.contains(text))
            result.added += addRun(czas, run, now);
    }
    const QByteArray newCzas = czas.toBytes();
    if (newCzas != oldCzas) {
        if (!czas.save(czasPath)) {
            // Without the runs in "Czas.ini" they must not be marked as seen.
            result.failed = true;
            return result;
        }
        result.czasWritten = true;
    }
    if (newList != oldList)
        result.czas2Written = writeFileAtomically(czas2Path, newList);
    return result;
}

} // namespace uptimefile

qint64 UptimeRunLine::seconds() const
{
    return qMax(0, start.secsTo(end));
}

UptimeDays UptimeDays::load(const QString& czasPath)
{
    return fromIni(IniFile::load(czasPath));
}

UptimeDays UptimeDays::fromIni(const IniFile& ini)
{
    UptimeDays result;
    QSet<QDate> seen;
    for (const QString& k : ini.keys(QStringLiteral("Daty"))) {
        const QString text = ini.readString(QStringLiteral("Daty"), k);
        const QDate date = parseStatusDate(text);
        if (!date.isValid() || seen.contains(date))
            continue;
        seen.insert(date);
        UptimeDay day;
        day.date = date;
        const QString section = statusDateText(date);
        day.total = qBound(qint64(0), ini.readInt64(section, QStringLiteral("0"), 0), qint64(uptimefile::kWholeDayCap));
        for (const QString& key : ini.keys(section)) {
            bool ok = false;
            const int n = key.toInt(&ok);
            if (!ok || n < 1)
                continue;
            const QString value = ini.readString(section, key);
            const QTime start = parseStatusTime(PipeField(value, 1));
            const QTime end = parseStatusTime(PipeField(value, 2));
            if (start.isValid() && end.isValid())
                day.runs.push_back({n, start, end});
        }
        std::sort(day.runs.begin(), day.runs.end(),
                  [](const UptimeRunLine& a, const UptimeRunLine& b) { return a.number < b.number; });
        result.m_days.push_back(std::move(day));
    }
    std::sort(result.m_days.begin(), result.m_days.end(),
              [](const UptimeDay& a, const UptimeDay& b) { return a.date < b.date; });
    return result;
}

const UptimeDay* UptimeDays::day(const QDate& date) const
{
    const auto it = std::lower_bound(m_days.begin(), m_days.end(), date,
                                     [](const UptimeDay& d, const QDate& x) { return d.date < x; });
    return it != m_days.end() && it->date == date ? &*it : nullptr;
}

DaySeries UptimeDays::totals() const
{
    std::vector<DayValue> v;
    v.reserve(m_days.size());
    for (const UptimeDay& d : m_days)
        v.push_back({d.date, d.total});
    return DaySeries(std::move(v));
}

} // namespace zorvex

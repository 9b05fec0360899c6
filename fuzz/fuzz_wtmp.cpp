// The running-time and traffic statistics from their files: the first byte
// picks which file the rest is (the login records, "Czas.ini", "Czas2.ini"
// or "Siec.ini"); the others start empty in a scratch folder, and the pages
// are built from what the import left, as the Tools window does.
#include "FuzzInput.h"

#include "core/common/Clock.h"
#include "core/status/StatusSources.h"
#include "core/status/TrafficDays.h"
#include "core/status/UptimeLog.h"
#include "platform/status/WtmpRecords.h"

#include <QDir>
#include <QFile>

#include <set>
#include <utility>

using namespace zorvex;

namespace {

const QDateTime kNow(QDate(2026, 3, 15), QTime(18, 30));

class FixedClock final : public Clock {
public:
    QDateTime now() const override { return kNow; }
};

// Two runs of today and yesterday, for inputs that are not the records.
class FewEvents final : public UptimeRecordSource {
public:
    std::vector<UptimeEvent> read() override
    {
        using K = UptimeEvent::Kind;
        return {{K::Start, kNow.addDays(-1).addSecs(-3600)}, {K::End, kNow.addDays(-1)},
                {K::Start, kNow.addSecs(-7200)}};
    }
    QString location() const override { return {}; }
};

QString writeInto(const QString& folder, const QString& name, const uint8_t* data, size_t size)
{
    const QString path = QDir(folder).filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    return path;
}

std::set<std::pair<int, int>> monthsOf(const DaySeries& s)
{
    std::set<std::pair<int, int>> months;
    for (const DayValue& d : s.days())
        months.emplace(d.date.year(), d.date.month());
    return months;
}

void uptime(int which, const uint8_t* data, size_t size)
{
    const QString folder = fuzz::scratchFolder();
    QString czas = QDir(folder).filePath(QStringLiteral("Czas.ini"));
    QString czas2 = QDir(folder).filePath(QStringLiteral("Czas2.ini"));
    FixedClock clock;
    FewEvents few;
    WtmpRecords wtmp(which == 0 ? writeInto(folder, QStringLiteral("wtmp"), data, size) : QString());
    if (which == 1)
        czas = writeInto(folder, QStringLiteral("Czas.ini"), data, size);
    if (which == 2)
        czas2 = writeInto(folder, QStringLiteral("Czas2.ini"), data, size);
    UptimeLog log(clock, which == 0 ? static_cast<UptimeRecordSource&>(wtmp) : few, czas, czas2);
    log.setInterruptedSession(kNow.addDays(-3), kNow.addDays(-3).addSecs(600));
    (void)log.importRuns();
    (void)log.liveLabel();
    (void)log.dayLines();
    for (const QDate& d : log.listedDates()) {
        (void)log.runLines(d);
        (void)log.chartHint(d);
    }
    for (const auto& [year, month] : monthsOf(log.days().totals())) {
        (void)log.month(year, month);
        (void)log.chartBars(year, month, UptimeLog::ChartKind::Ranges);
        (void)log.chartBars(year, month, UptimeLog::ChartKind::Summed);
    }
}

void traffic(const uint8_t* data, size_t size)
{
    const QString path = writeInto(fuzz::scratchFolder(), QStringLiteral("Siec.ini"), data, size);
    const TrafficDays t = TrafficDays::load(path, kNow.date());
    for (const auto d : {TrafficDays::Direction::Received, TrafficDays::Direction::Sent}) {
        (void)t.dayLines(d);
        (void)t.totalText(d, 1234);
        (void)t.largestText(d, 1234);
        for (const auto& [year, month] : monthsOf(t.days(d)))
            (void)t.month(d, year, month);
        for (const DayValue& v : t.days(d).days())
            (void)t.chartHint(d, v.date);
    }
    trafficdays::add(path, kNow.date(), 1000, 2000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int which = data[0] % 4;
    if (which == 3)
        traffic(data + 1, size - 1);
    else
        uptime(which, data + 1, size - 1);
    return 0;
}

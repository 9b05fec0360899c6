#include "../app/mainloop/Rig.h"
#include "core/wallpaper/WallpaperSchedule.h"

#include <QtTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

// The timed change on the 800 ms tick, on a fake clock.
class TestWallpaperSchedule : public QObject {
    Q_OBJECT
private slots:
    void cpu_data();
    void cpu();
    void changesEveryInterval();
    void needsTheChangerAndTheInterval_data();
    void needsTheChangerAndTheInterval();
    void busyCpuWaitsAFullInterval();
    void restartedIntervalCountsFromThen();
};

void TestWallpaperSchedule::cpu_data()
{
    QTest::addColumn<bool>("limit");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("no limit") << false << "99" << true;
    QTest::newRow("below") << true << "74" << true;
    QTest::newRow("at the limit") << true << "75" << false;
    QTest::newRow("above, with %") << true << "90%" << false;
    QTest::newRow("blank counts 0") << true << "" << true;
    QTest::newRow("text counts 0") << true << "n/d" << true;
    QTest::newRow("padded") << true << " 80 " << false;
}

void TestWallpaperSchedule::cpu()
{
    QFETCH(bool, limit);
    QFETCH(QString, shown);
    QFETCH(bool, allowed);
    WallpaperSettings s;
    s.cpuLimit = limit;
    s.cpuPercent = 75;
    QCOMPARE(cpuAllowsChange(s, shown), allowed);
}

namespace {

struct ScheduleRig {
    explicit ScheduleRig(const QDateTime& start)
        : rig(start)
        , schedule(settings, [this] { return cpu; }, [this] { changes << rig.clock.now(); })
    {
        settings.active = true;
        settings.timed = true;
        settings.minutes = 5;
        rig.loop->services().setInterval(IntervalTask::Wallpaper, schedule);
    }
    Rig rig;
    WallpaperSettings settings;
    QString cpu;
    QList<QDateTime> changes;
    WallpaperSchedule schedule;
};

} // namespace

void TestWallpaperSchedule::changesEveryInterval()
{
    const QDateTime start = at(2026, 3, 1, 10, 0);
    ScheduleRig r(start);
    r.rig.run2Until(start.addSecs(16 * 60));
    QCOMPARE(r.changes.size(), 3);
    // Due at 5 minutes, seen by the first tick at or after it.
    QVERIFY(r.changes.at(0) >= start.addSecs(300));
    QVERIFY(r.changes.at(0) < start.addSecs(301));
    QVERIFY(r.changes.at(1) >= r.changes.at(0).addSecs(300));
}

void TestWallpaperSchedule::needsTheChangerAndTheInterval_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<bool>("timed");
    QTest::addColumn<int>("changes");
    QTest::newRow("both") << true << true << 2;
    QTest::newRow("changer off") << false << true << 0;
    QTest::newRow("interval off") << true << false << 0;
}

void TestWallpaperSchedule::needsTheChangerAndTheInterval()
{
    QFETCH(bool, active);
    QFETCH(bool, timed);
    QFETCH(int, changes);
    const QDateTime start = at(2026, 3, 1, 10, 0);
    ScheduleRig r(start);
    r.settings.active = active;
    r.settings.timed = timed;
    r.settings.minutes = 1;
    r.rig.run2Until(start.addSecs(150));
    QCOMPARE(r.changes.size(), changes);
}

void TestWallpaperSchedule::busyCpuWaitsAFullInterval()
{
    const QDateTime start = at(2026, 3, 1, 10, 0);
    ScheduleRig r(start);
    r.settings.cpuLimit = true;
    r.settings.cpuPercent = 50;
    r.cpu = QStringLiteral("80");
    r.rig.run2Until(start.addSecs(301));
    QVERIFY(r.changes.isEmpty());
    // The processor calms down a minute later: the skipped change is not
    // made up for, the next comes a full interval after the skipped one.
    r.cpu = QStringLiteral("10");
    r.rig.run2Until(start.addSecs(360));
    QVERIFY(r.changes.isEmpty());
    r.rig.run2Until(start.addSecs(601));
    QCOMPARE(r.changes.size(), 1);
}

void TestWallpaperSchedule::restartedIntervalCountsFromThen()
{
    const QDateTime start = at(2026, 3, 1, 10, 0);
    ScheduleRig r(start);
    r.rig.run2Until(start.addSecs(240));
    // The interval was edited four minutes in.
    r.rig.loop->setReference(IntervalTask::Wallpaper, r.rig.clock.now());
    r.rig.run2Until(start.addSecs(500));
    QVERIFY(r.changes.isEmpty());
    r.rig.run2Until(start.addSecs(541));
    QCOMPARE(r.changes.size(), 1);
}

QTEST_GUILESS_MAIN(TestWallpaperSchedule)
#include "tst_wallpaper_schedule.moc"

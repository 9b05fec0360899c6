#include "core/common/Clock.h"
#include "core/reminders/AlarmCheck.h"
#include "support/FakeClock.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <ctime>

using namespace zorvex;

namespace {

QDateTime at(int y, int m, int d, int h, int min, int s = 0) { return QDateTime(QDate(y, m, d), QTime(h, min, s)); }

AlarmEntry alarm(AlarmRecurrence r, int hour, int minute, QDate date = QDate(2000, 1, 1), int parameter = 0)
{
    AlarmEntry e;
    e.recurrence = r;
    e.hour = hour;
    e.minute = minute;
    e.setDate(date);
    e.parameter = parameter;
    return e;
}

AlarmEntry runningLate(AlarmEntry e)
{
    e.runLate = true;
    return e;
}

struct Recorder : AlarmHandler {
    QStringList events;
    std::function<void()> duringBox;
    void alarmsChanged() override { events << QStringLiteral("save"); }
    void runPowerAction(PowerAction a, bool cancel) override
    {
        events << QStringLiteral("power %1 %2").arg(int(a)).arg(cancel);
    }
    void playAlarmSound(const QString& p) override { events << QStringLiteral("sound ") + p; }
    void startProgram(const QString& c) override { events << QStringLiteral("run ") + c; }
    void showMessageBox(const QString& cap, const QString& text, AlarmIcon) override
    {
        events << QStringLiteral("box %1: %2").arg(cap, text);
        if (duringBox)
            duringBox();
    }
    void showBalloon(const QString& cap, const QString& text, AlarmIcon) override
    {
        events << QStringLiteral("balloon %1: %2").arg(cap, text);
    }
};

} // namespace

class AlarmRulesTest : public QObject {
    Q_OBJECT

private slots:
    void due_data()
    {
        QTest::addColumn<AlarmEntry>("alarm");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<bool>("due");

        using R = AlarmRecurrence;
        const QDate day(2026, 3, 9); // a Monday
        AlarmEntry late = alarm(R::Once, 10, 0, day);
        late.runLate = true;
        QTest::newRow("once: at the minute") << alarm(R::Once, 10, 0, day) << at(2026, 3, 9, 10, 0, 0) << true;
        QTest::newRow("once: 10 s late") << alarm(R::Once, 10, 0, day) << at(2026, 3, 9, 10, 0, 10) << true;
        QTest::newRow("once: 20 s late") << alarm(R::Once, 10, 0, day) << at(2026, 3, 9, 10, 0, 20) << false;
        QTest::newRow("once: a second early") << alarm(R::Once, 10, 0, day) << at(2026, 3, 9, 9, 59, 59) << false;
        QTest::newRow("once: other day") << alarm(R::Once, 10, 0, day) << at(2026, 3, 10, 10, 0, 0) << false;
        QTest::newRow("once: run late 20 s") << late << at(2026, 3, 9, 10, 0, 20) << true;
        QTest::newRow("once: run late at evening") << late << at(2026, 3, 9, 23, 59, 59) << true;
        QTest::newRow("once: run late early") << late << at(2026, 3, 9, 9, 59, 0) << false;
        QTest::newRow("once: run late next day") << late << at(2026, 3, 10, 10, 0, 0) << false;
        QTest::newRow("once: leap day") << alarm(R::Once, 0, 0, QDate(2028, 2, 29)) << at(2028, 2, 29, 0, 0, 5) << true;
        QTest::newRow("once: invalid date") << alarm(R::Once, 0, 0, QDate(2027, 2, 29)) << at(2027, 3, 1, 0, 0) << false;
        AlarmEntry off = alarm(R::Once, 10, 0, day);
        off.active = false;
        QTest::newRow("inactive") << off << at(2026, 3, 9, 10, 0) << false;

        QTest::newRow("daily") << alarm(R::Daily, 6, 30) << at(2026, 12, 31, 6, 30, 1) << true;
        QTest::newRow("daily: fired today") << alarm(R::Daily, 6, 30, day) << at(2026, 3, 9, 6, 30, 1) << false;
        QTest::newRow("daily: fired yesterday") << alarm(R::Daily, 6, 30, day.addDays(-1)) << at(2026, 3, 9, 6, 30) << true;

        QTest::newRow("weekly: Monday") << alarm(R::Weekly, 8, 0, {}, 1) << at(2026, 3, 9, 8, 0) << true;
        QTest::newRow("weekly: not Tuesday") << alarm(R::Weekly, 8, 0, {}, 2) << at(2026, 3, 9, 8, 0) << false;
        QTest::newRow("weekly: Sunday = 7") << alarm(R::Weekly, 8, 0, {}, 7) << at(2026, 3, 15, 8, 0) << true;

        QTest::newRow("monthly: 31st in March") << alarm(R::Monthly, 8, 0, {}, 31) << at(2026, 3, 31, 8, 0) << true;
        QTest::newRow("monthly: 31st not on 30 April") << alarm(R::Monthly, 8, 0, {}, 31) << at(2026, 4, 30, 8, 0) << false;
        QTest::newRow("monthly: 31st not on 1 May") << alarm(R::Monthly, 8, 0, {}, 31) << at(2026, 5, 1, 8, 0) << false;
        QTest::newRow("monthly: 29th in leap Feb") << alarm(R::Monthly, 8, 0, {}, 29) << at(2028, 2, 29, 8, 0) << true;

        QTest::newRow("weekdays: Friday") << alarm(R::Weekdays, 7, 0) << at(2026, 3, 13, 7, 0) << true;
        QTest::newRow("weekdays: Saturday") << alarm(R::Weekdays, 7, 0) << at(2026, 3, 14, 7, 0) << false;
        QTest::newRow("weekend: Sunday") << alarm(R::Weekend, 7, 0) << at(2026, 3, 15, 7, 0) << true;
        QTest::newRow("weekend: Monday") << alarm(R::Weekend, 7, 0) << at(2026, 3, 9, 7, 0) << false;

        QTest::newRow("chosen: Wed in Mon+Wed") << alarm(R::ChosenDays, 7, 0, {}, 0b101) << at(2026, 3, 11, 7, 0) << true;
        QTest::newRow("chosen: Tue not in Mon+Wed") << alarm(R::ChosenDays, 7, 0, {}, 0b101) << at(2026, 3, 10, 7, 0) << false;
        QTest::newRow("chosen: Sunday bit 6") << alarm(R::ChosenDays, 7, 0, {}, 64) << at(2026, 3, 15, 7, 0) << true;
        QTest::newRow("chosen: 0 means all") << alarm(R::ChosenDays, 7, 0, {}, 0) << at(2026, 3, 10, 7, 0) << true;

        const AlarmEntry every14 = alarm(R::Periodic, 9, 0, day, 14);
        QTest::newRow("periodic: start day") << every14 << at(2026, 3, 9, 9, 0) << true;
        QTest::newRow("periodic: a week later") << every14 << at(2026, 3, 16, 9, 0) << false;
        QTest::newRow("periodic: two weeks later") << every14 << at(2026, 3, 23, 9, 0) << true;
        QTest::newRow("periodic: before start") << every14 << at(2026, 2, 23, 9, 0) << false;
        QTest::newRow("periodic: across year end") << alarm(R::Periodic, 9, 0, QDate(2026, 12, 30), 3)
                                                   << at(2027, 1, 2, 9, 0) << true;
        QTest::newRow("periodic: across leap day") << alarm(R::Periodic, 9, 0, QDate(2028, 2, 27), 3)
                                                   << at(2028, 3, 1, 9, 0) << true;
        AlarmEntry firedToday = every14;
        firedToday.periodicLastFired = QDate(2026, 3, 23);
        QTest::newRow("periodic: fired today") << firedToday << at(2026, 3, 23, 9, 0, 5) << false;
        QTest::newRow("periodic: interval 0 never") << alarm(R::Periodic, 9, 0, day, 0) << at(2026, 3, 9, 9, 0) << false;

        // Europe/Warsaw: 02:00-03:00 is skipped on 29 March 2026, 02:00-03:00
        // repeats on 25 October 2026.
        QTest::newRow("DST gap: fires when the gap ends")
            << alarm(R::Daily, 2, 30) << QDateTime(QDate(2026, 3, 29), QTime(3, 0, 5)) << true;
        QTest::newRow("DST gap: not long after")
            << alarm(R::Daily, 2, 30) << QDateTime(QDate(2026, 3, 29), QTime(3, 1, 0)) << false;
        QTest::newRow("DST gap: run late after the gap")
            << runningLate(alarm(R::Daily, 2, 15)) << QDateTime(QDate(2026, 3, 29), QTime(4, 0)) << true;
        QTest::newRow("DST gap: before the gap")
            << alarm(R::Daily, 2, 30) << QDateTime(QDate(2026, 3, 29), QTime(1, 59, 59)) << false;
        const QDate autumn(2026, 10, 25);
        QTest::newRow("DST end: first 02:30")
            << alarm(R::Daily, 2, 30) << QDateTime(autumn, QTime(2, 30, 3), QTimeZone(7200)).toLocalTime() << true;
        QTest::newRow("DST end: second 02:30")
            << alarm(R::Daily, 2, 30) << QDateTime(autumn, QTime(2, 30, 3), QTimeZone(3600)).toLocalTime() << true;
        QTest::newRow("DST end: 03:00 is an hour after the first 02:00")
            << alarm(R::Daily, 2, 0) << QDateTime(autumn, QTime(3, 0, 5)) << false;
    }
    void due()
    {
        QFETCH(AlarmEntry, alarm);
        QFETCH(QDateTime, now);
        QFETCH(bool, due);
        QCOMPARE(alarmDue(alarm, now), due);
    }

    void markFired_data()
    {
        QTest::addColumn<int>("recurrence");
        QTest::newRow("once") << 0;
        QTest::newRow("daily") << 1;
        QTest::newRow("chosen days") << 6;
        QTest::newRow("periodic") << 7;
    }
    void markFired()
    {
        QFETCH(int, recurrence);
        const QDate today(2026, 2, 28);
        AlarmEntry e = alarm(AlarmRecurrence(recurrence), 8, 0, recurrence == 0 || recurrence == 7 ? today : QDate(2000, 1, 1), recurrence == 7 ? 2 : 0);
        const QDateTime now(today, QTime(8, 0, 1));
        QVERIFY(alarmDue(e, now));
        markAlarmFired(e, today);
        QVERIFY(!alarmDue(e, now.addSecs(2)));
        const AlarmEntry stored = AlarmEntry::parse(e.toLine());
        switch (recurrence) {
        case 0:
            QVERIFY(!stored.active);
            break;
        case 7:
            QCOMPARE(stored.periodicLastFired, today);
            QCOMPARE(stored.date(), today); // the start date stays
            QVERIFY(alarmDue(stored, QDateTime(QDate(2026, 3, 2), QTime(8, 0)))); // across the month end
            break;
        default:
            QCOMPARE(stored.date(), today);
            QVERIFY(alarmDue(stored, now.addDays(1)));
        }
    }

    void checksOncePerSecondAndFiresOnce()
    {
        FakeClock clock(at(2026, 3, 9, 9, 59, 59));
        QList<AlarmEntry> list{alarm(AlarmRecurrence::Daily, 10, 0)};
        list[0].messageKind = AlarmMessageKind::Box;
        list[0].message = QStringLiteral("Kawa");
        list[0].icon = AlarmIcon::Information;
        Recorder rec;
        AlarmCheck check(clock, list, rec);
        QVERIFY(check.tick());
        QVERIFY(!check.tick()); // same second
        QVERIFY(rec.events.isEmpty());
        for (int i = 0; i < 30; ++i) {
            clock.advanceMs(100);
            check.tick();
        }
        QCOMPARE(rec.events, (QStringList{QStringLiteral("save"), QStringLiteral("box Informacja: Kawa")}));
        QCOMPARE(list[0].date(), QDate(2026, 3, 9));
    }

    void actionsRunInOrderAfterTheSave()
    {
        QTemporaryDir dir;
        const QString sound = dir.filePath(QStringLiteral("a.wav"));
        QFile(sound).open(QIODevice::WriteOnly);
        AlarmEntry e = alarm(AlarmRecurrence::Once, 10, 0, QDate(2026, 3, 9));
        e.computerOn = true;
        e.computerAction = PowerAction::Suspend;
        e.withCancel = true;
        e.soundOn = true;
        e.soundPath = sound;
        e.programOn = true;
        e.program = QStringLiteral("gedit /tmp/x");
        e.messageKind = AlarmMessageKind::Balloon;
        e.message = QStringLiteral("Dwa\nwiersze");
        AlarmEntry missingSound = e;
        missingSound.soundPath = dir.filePath(QStringLiteral("brak.wav"));
        missingSound.computerOn = false;
        missingSound.programOn = false;
        missingSound.messageKind = AlarmMessageKind::None;
        QList<AlarmEntry> list{e, missingSound};
        Recorder rec;
        FakeClock clock;
        AlarmCheck check(clock, list, rec);
        check.check(at(2026, 3, 9, 10, 0, 3));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("save"), QStringLiteral("power 3 1"),
                                          QStringLiteral("sound ") + sound, QStringLiteral("run gedit /tmp/x"),
                                          QStringLiteral("balloon Komunikat: Dwa\nwiersze"), QStringLiteral("save")}));
        QVERIFY(!list[0].active);
        QVERIFY(!list[1].active);
    }

    void runLateAfterSleep_data()
    {
        QTest::addColumn<bool>("runLate");
        QTest::addColumn<bool>("fires");
        QTest::newRow("with run late") << true << true;
        QTest::newRow("without") << false << false;
    }
    void runLateAfterSleep()
    {
        QFETCH(bool, runLate);
        QFETCH(bool, fires);
        FakeClock clock(at(2026, 3, 9, 9, 55));
        QList<AlarmEntry> list{alarm(AlarmRecurrence::Once, 10, 0, QDate(2026, 3, 9))};
        list[0].runLate = runLate;
        Recorder rec;
        AlarmCheck check(clock, list, rec);
        check.tick();
        clock.set(at(2026, 3, 9, 10, 20)); // the machine wakes up
        check.tick();
        QCOMPARE(!rec.events.isEmpty(), fires);
        QCOMPARE(list[0].active, !fires); // a missed one-off stays active
    }

    // While a message box is open later ticks check again and the user may
    // delete alarms; nothing fires twice and nothing is read past the end.
    void ticksDuringAMessageBox()
    {
        FakeClock clock(at(2026, 3, 9, 10, 0, 0));
        QList<AlarmEntry> list{alarm(AlarmRecurrence::Once, 10, 0, QDate(2026, 3, 9)),
                               alarm(AlarmRecurrence::Once, 10, 0, QDate(2026, 3, 9)),
                               alarm(AlarmRecurrence::Once, 10, 0, QDate(2026, 3, 9))};
        for (AlarmEntry& e : list) {
            e.messageKind = AlarmMessageKind::Box;
            e.message = QStringLiteral("m");
        }
        Recorder rec;
        AlarmCheck check(clock, list, rec);
        int boxes = 0;
        rec.duringBox = [&] {
            if (++boxes > 1)
                return;
            clock.advanceMs(1000);
            check.tick(); // fires the other two inside the first box
            list.removeLast();
            list.removeLast();
        };
        check.tick();
        QCOMPARE(boxes, 3);
        QCOMPARE(list.size(), 1);
        QVERIFY(!list[0].active);
    }
};

int main(int argc, char** argv)
{
    // The daylight-saving rows need a zone that has the change.
    qputenv("TZ", "Europe/Warsaw");
    tzset();
    QCoreApplication app(argc, argv);
    AlarmRulesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_alarm_rules.moc"

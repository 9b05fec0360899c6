#include "StatusTestUtil.h"
#include "core/common/Clock.h"
#include "core/shell/Autosave.h"
#include "core/status/MouseOdometer.h"
#include "core/status/StatusAutosave.h"
#include "core/status/StatusSettings.h"
#include "core/status/TrafficMonitor.h"
#include "core/status/UptimeLog.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"

#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

namespace {

// One run of the program over a data folder: the three statistics and the
// autosave record's adapter, as the services will hold them.
struct Run {
    Run(const QString& folder, const QDateTime& start, const QStringList& bootRecord)
        : clock(start)
        , uptime(clock, records, folder + u"/Czas.ini"_s, folder + u"/Czas2.ini"_s)
        , mouse(clock, pointer, folder + u"/Ruch.ini"_s)
        , traffic(clock, interfaces)
        , autosave(clock, uptime, mouse, traffic, czas, ruch, siec, folder + u"/Siec.ini"_s)
    {
        records.events = events(bootRecord);
        siec.active = true;
        NetInterfaceRow eth;
        eth.index = 2;
        eth.name = u"enp3s0"_s;
        eth.mac = QByteArray::fromHex("1c1b0daabbcc");
        interfaces.table = std::vector<NetInterfaceRow>{eth};
    }

    FakeClock clock;
    FakeUptimeRecordSource records;
    FakePointerSource pointer;
    FakeNetInterfaceSource interfaces;
    UptimeSettings czas;
    MouseOdometerSettings ruch;
    TrafficSettings siec;
    UptimeLog uptime;
    MouseOdometer mouse;
    TrafficMonitor traffic;
    StatusAutosave autosave;
};

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

private slots:
    void countersSurviveACrash();
    void statisticsSwitchedOffTakeNothing();
};

void TestRecovery::countersSurviveACrash()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString record = folder + u"/Autozapis_Jan.ini"_s;
    {
        Run day1(folder, at(u"12.03.2024 09:00:00"_s), {u"S 12.03.2024 07:00:00"_s});
        day1.uptime.importRuns();
        day1.mouse.begin();
        day1.pointer.at = QPoint(-1500, 0);
        day1.mouse.sample();
        day1.traffic.chooseAtStart(QString(), 0);
        day1.traffic.sample();
        day1.interfaces.row(u"enp3s0"_s)->received = 3000;
        day1.interfaces.row(u"enp3s0"_s)->sent = 700;
        day1.traffic.sample();
        day1.clock.set(at(u"12.03.2024 11:45:00"_s));
        writeAutosave(record, day1.autosave, toDayTime(day1.clock.now()));
        // The computer loses power: no commits, no shutdown record.
    }
    QCOMPARE(bytesOf(record), crlf("12.03.2024 07:00:00|12.03.2024 11:45:00|1500|3000|700\n"));

    Run day2(folder, at(u"13.03.2024 08:30:00"_s), {u"S 12.03.2024 07:00:00"_s, u"S 13.03.2024 08:00:00"_s});
    QVERIFY(recoverAutosave(record, day2.autosave));
    QVERIFY(!QFile::exists(record));
    day2.uptime.importRuns();
    // The run the record knew ends when it was written; the counters go to
    // the day of this start.
    QCOMPARE(bytesOf(folder + u"/Czas.ini"_s), crlf("[Daty]\n1=12.03.2024\n\n[12.03.2024]\n0=17100\n1=07:00:00|11:45:00\n"));
    QCOMPARE(bytesOf(folder + u"/Ruch.ini"_s), crlf("[Ruch]\n13.03.2024=1500\n"));
    QCOMPARE(bytesOf(folder + u"/Siec.ini"_s), crlf("[Siec]\n13.03.2024=3000|700\n"));
    QCOMPARE(statusDateTimeText(day2.uptime.currentRunStart()), u"13.03.2024 08:00:00"_s);

    // Started again the same day: nothing is added twice.
    const QByteArray czas = bytesOf(folder + u"/Czas.ini"_s);
    Run again(folder, at(u"13.03.2024 09:00:00"_s), {u"S 12.03.2024 07:00:00"_s, u"S 13.03.2024 08:00:00"_s});
    QVERIFY(!recoverAutosave(record, again.autosave));
    again.uptime.importRuns();
    QCOMPARE(bytesOf(folder + u"/Czas.ini"_s), czas);
}

void TestRecovery::statisticsSwitchedOffTakeNothing()
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    const QString record = folder + u"/Autozapis_Jan.ini"_s;
    Run run(folder, at(u"13.03.2024 08:30:00"_s), {u"S 12.03.2024 07:00:00"_s, u"S 13.03.2024 08:00:00"_s});
    run.czas.active = false;
    run.ruch.active = false;
    run.siec.active = false;
    QVERIFY(writeBytes(record, "12.03.2024 07:00:00|12.03.2024 11:45:00|1500|3000|700\r\n"));
    QVERIFY(recoverAutosave(record, run.autosave));
    run.uptime.importRuns();
    QVERIFY(!QFile::exists(folder + u"/Czas.ini"_s));
    QVERIFY(!QFile::exists(folder + u"/Ruch.ini"_s));
    QVERIFY(!QFile::exists(folder + u"/Siec.ini"_s));
    // The record of a run with the traffic statistic off carries no bytes.
    run.traffic.sample();
    QCOMPARE(run.autosave.receivedToday(), qint64(0));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestRecovery)
#include "tst_status_recovery.moc"

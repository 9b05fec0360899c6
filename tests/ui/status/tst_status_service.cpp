#include "../../core/status/StatusTestUtil.h"
#include "core/app/MainLoop.h"
#include "core/app/Settings.h"
#include "core/common/PathTable.h"
#include "core/common/DataFile.h"
#include "core/shell/Autosave.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"
#include "support/FileFixture.h"
#include "ui/status/StatusService.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

namespace {

// The shell's side of the loop, doing nothing; the autosave record is
// written from the statistics' counters as the shell writes it.
class QuietShell : public ShellSurface, public IntervalService {
public:
    const Clock* clock = nullptr;
    QString autosavePath;
    const AutosaveSource* source = nullptr;
    bool autosaveOn = true;
    int autosaveMinutes = 10;

    bool toolsWindowExists() const override { return true; }
    bool toolsWindowShowing() const override { return false; }
    void refreshForegroundFlag() override {}
    QRect workArea() const override { return {0, 0, 1920, 1040}; }
    void relayoutMainWindow() override {}
    void setOpacity(int) override {}
    void hideMainWindow() override {}
    void switchAlphaBlendingOff() override {}
    void setClockText(const QString&) override {}
    bool positionMarkerShowing() const override { return false; }
    MarkerLayout markerLayout() const override { return {}; }
    void movePositionMarker(const QPoint&) override {}
    QString takeReceivedPath() override { return {}; }
    void installReceivedFile(const QString&) override {}

    Interval interval() const override { return Interval::minutes(autosaveOn, autosaveMinutes); }
    void runInterval(const QDateTime& now) override { writeAutosave(autosavePath, *source, toDayTime(now)); }
};

NetInterfaceRow ethernet(quint64 in, quint64 out)
{
    NetInterfaceRow r;
    r.index = 2;
    r.name = u"enp3s0"_s;
    r.mac = QByteArray::fromHex("1c1b0daabbcc");
    r.received = in;
    r.sent = out;
    r.ipv4 = 0xC0A8010Au;
    return r;
}

// One run of the program on a data folder: the statistics registered with
// a main loop on a fake clock, as the installer registers them.
struct Program {
    Program(const QString& folder, const QDateTime& start, const QStringList& bootRecord = {})
        : clock(start)
        , paths(folder + u"/"_s, u"Jan"_s, folder + u"/Sentencje.ini"_s)
    {
        records.events = events(bootRecord);
        settings.siec.active = true;
        interfaces.table = std::vector<NetInterfaceRow>{ethernet(1000, 100)};
        status = std::make_unique<StatusService>(clock, paths, settings,
                                                 StatusSourceSet{records, pointer, interfaces, cpu, memory, drives});
        shell.clock = &clock;
        shell.autosavePath = paths.path(PathId::Autozapis);
        shell.source = &status->autosaveSource();
        loop = std::make_unique<MainLoop>(clock, shell);
        LoopRegistry& r = loop->services();
        r.setInterval(IntervalTask::Autosave, shell);
        for (TickStep step : {TickStep::UptimePage, TickStep::CpuSample, TickStep::MouseSample, TickStep::MemorySample})
            r.addTick(step, *status);
        for (DayStep step : {DayStep::UptimeDay, DayStep::MouseCommit, DayStep::TrafficCommit})
            r.addDayChange(step, *status);
        for (ShutdownStepId step : {ShutdownStepId::CommitMouseDistance, ShutdownStepId::CommitTraffic})
            r.addShutdown(step, *status);
    }

    bool start() { return status->start(paths.path(PathId::Autozapis), settings.tools.autoSave); }

    // Timers as the window runs them, for `ms` milliseconds.
    void run(qint64 ms)
    {
        for (qint64 t = 50; t <= ms; t += 50) {
            clock.advanceMs(50);
            loop->fastTick();
            if (t % 800 == 0)
                loop->scheduleTick();
            if (t % 1000 == 0)
                loop->statusTick();
        }
    }
    void moveTo(int x, int y)
    {
        pointer.at = QPoint(x, y);
        run(50);
    }
    void counters(quint64 in, quint64 out)
    {
        interfaces.row(u"enp3s0"_s)->received = in;
        interfaces.row(u"enp3s0"_s)->sent = out;
        run(1000);
    }

    FakeClock clock;
    PathTable paths;
    Settings settings;
    FakeUptimeRecordSource records;
    FakePointerSource pointer;
    FakeNetInterfaceSource interfaces;
    FakeCpuTimesSource cpu;
    FakeMemorySource memory;
    FakeDriveSource drives;
    std::unique_ptr<StatusService> status;
    QuietShell shell;
    std::unique_ptr<MainLoop> loop;
};

} // namespace

class TestStatusService : public QObject {
    Q_OBJECT

private slots:
    void dayChangeCommitsUnderTheRememberedDate();
    void trafficCountsOnlyWhatPassed_data();
    void trafficCountsOnlyWhatPassed();
    void crashRecordLandsAtTheNextStart();
    void statisticsOffCountAndWriteNothing();
    void unreadableUptimeFileIsReported_data();
    void unreadableUptimeFileIsReported();
    void trafficWhileSwitchedOffIsNotCounted();
    void mouseSwitchedOnStartsWherePointerIs();
    void gaugesSignalOnlyChanges();
    void trayValues();
};

void TestStatusService::dayChangeCommitsUnderTheRememberedDate()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 23:59:00"_s), {u"S 12.03.2024 08:00:00"_s});
    p.start();
    p.run(1000);
    p.moveTo(-1000, 0); // a monitor left of the primary one
    p.moveTo(-1000, -250);
    p.counters(5000, 600);
    QCOMPARE(p.status->mouse().travel(), qint64(1250));

    // Past midnight: the day's counters belong to the 12th.
    p.clock.set(at(u"13.03.2024 00:00:01"_s));
    p.run(800);
    QCOMPARE(bytesOf(dir.path() + u"/Ruch.ini"_s), crlf("[Ruch]\n12.03.2024=1250\n"));
    QCOMPARE(bytesOf(dir.path() + u"/Siec.ini"_s), crlf("[Siec]\n12.03.2024=4000|500\n"));
    QCOMPARE(p.status->mouse().travel(), qint64(0));
    // The day change writes the record with the new day's empty counters.
    QCOMPARE(bytesOf(p.paths.path(PathId::Autozapis)),
             crlf("12.03.2024 08:00:00|13.03.2024 00:00:01|0|0|0\n"));

    // The new day counts from the counters as they stood at midnight.
    p.moveTo(-1000, -200);
    p.counters(5500, 700);
    p.loop->shutdown(false);
    QCOMPARE(bytesOf(dir.path() + u"/Ruch.ini"_s), crlf("[Ruch]\n12.03.2024=1250\n13.03.2024=50\n"));
    QCOMPARE(bytesOf(dir.path() + u"/Siec.ini"_s), crlf("[Siec]\n12.03.2024=4000|500\n13.03.2024=500|100\n"));
}

void TestStatusService::trafficCountsOnlyWhatPassed_data()
{
    QTest::addColumn<QList<quint64>>("received");
    QTest::addColumn<QString>("stored");

    // Counters as the samples read them, one a second from 1000 at the start.
    QTest::newRow("steady") << QList<quint64>{2000, 3500, 3500, 9000} << u"8000|0"_s;
    QTest::newRow("interface restarted") << QList<quint64>{5000, 300, 800} << u"4500|0"_s;
    // Never read as a 32-bit wrap: no phantom 4 GB.
    QTest::newRow("near 2^32 then small") << QList<quint64>{4294967000ULL, 200, 1200} << u"4294967000|0"_s;
    QTest::newRow("64-bit counters") << QList<quint64>{6000000000ULL, 6000001000ULL} << u"6000000000|0"_s;
}

void TestStatusService::trafficCountsOnlyWhatPassed()
{
    QFETCH(QList<quint64>, received);
    QFETCH(QString, stored);

    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s));
    p.start();
    for (quint64 in : received)
        p.counters(in, 100);
    p.loop->shutdown(false);
    QCOMPARE(bytesOf(dir.path() + u"/Siec.ini"_s), crlf("[Siec]\n12.03.2024=") + stored.toLatin1() + "\r\n");
}

void TestStatusService::crashRecordLandsAtTheNextStart()
{
    QTemporaryDir dir;
    {
        Program first(dir.path(), at(u"12.03.2024 09:00:00"_s), {u"S 12.03.2024 07:00:00"_s});
        first.start();
        first.moveTo(300, 0);
        first.counters(4000, 400);
        // The interval writes the record; then the power goes.
        first.run(10 * 60 * 1000);
    }
    const QString record = dir.path() + u"/Autozapis_Jan.ini"_s;
    QCOMPARE(bytesOf(record), crlf("12.03.2024 07:00:00|12.03.2024 09:10:00|300|3000|300\n"));

    Program second(dir.path(), at(u"12.03.2024 18:00:00"_s),
                   {u"S 12.03.2024 07:00:00"_s, u"S 12.03.2024 17:55:00"_s});
    second.start();
    QVERIFY(!QFile::exists(record));
    QCOMPARE(bytesOf(dir.path() + u"/Czas.ini"_s),
             crlf("[Daty]\n1=12.03.2024\n\n[12.03.2024]\n0=7800\n1=07:00:00|09:10:00\n"));
    QCOMPARE(bytesOf(dir.path() + u"/Ruch.ini"_s), crlf("[Ruch]\n12.03.2024=300\n"));
    QCOMPARE(bytesOf(dir.path() + u"/Siec.ini"_s), crlf("[Siec]\n12.03.2024=3000|300\n"));
    QCOMPARE(second.status->uptime().currentRunStart(), at(u"12.03.2024 17:55:00"_s));

    // A second start of the same day adds nothing.
    const QByteArray czas = bytesOf(dir.path() + u"/Czas.ini"_s);
    Program third(dir.path(), at(u"12.03.2024 18:05:00"_s),
                  {u"S 12.03.2024 07:00:00"_s, u"S 12.03.2024 17:55:00"_s});
    third.start();
    QCOMPARE(bytesOf(dir.path() + u"/Czas.ini"_s), czas);
}

void TestStatusService::statisticsOffCountAndWriteNothing()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 23:59:00"_s), {u"S 12.03.2024 08:00:00"_s});
    p.settings.czas.active = false;
    p.settings.ruchMyszy.active = false;
    p.settings.siec.active = false;
    p.start();
    p.moveTo(500, 500);
    p.counters(9000, 900);
    p.clock.set(at(u"13.03.2024 00:00:01"_s));
    p.run(800);
    p.moveTo(0, 0);
    p.loop->shutdown(false);
    QVERIFY(!QFile::exists(dir.path() + u"/Czas.ini"_s));
    QVERIFY(!QFile::exists(dir.path() + u"/Ruch.ini"_s));
    QVERIFY(!QFile::exists(dir.path() + u"/Siec.ini"_s));
    QCOMPARE(p.records.reads, 0);
    QVERIFY(p.status->uptimeText()->isEmpty());
}

void TestStatusService::unreadableUptimeFileIsReported_data()
{
    QTest::addColumn<bool>("unreadable");
    QTest::newRow("readable") << false;
    QTest::newRow("Czas2.ini too large to read") << true;
}

// The start says so when the running-time files could not be taken in, so
// the user hears why the new runs are missing; the file stays as it was.
void TestStatusService::unreadableUptimeFileIsReported()
{
    QFETCH(bool, unreadable);
    QTemporaryDir dir;
    const QString czas2 = dir.path() + u"/Czas2.ini"_s;
    if (unreadable)
        QVERIFY(test::makeSparseFile(czas2, kMaxDataFileSize + 1));
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s), {u"S 11.03.2024 08:00:00"_s, u"E 11.03.2024 09:00:00"_s});
    p.settings.czas.active = true;
    QCOMPARE(p.start(), !unreadable);
    QCOMPARE(QFile::exists(dir.path() + u"/Czas.ini"_s), !unreadable);
    if (unreadable)
        QCOMPARE(QFileInfo(czas2).size(), kMaxDataFileSize + 1);
}

void TestStatusService::trafficWhileSwitchedOffIsNotCounted()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s));
    p.start();
    p.counters(2000, 100);
    p.settings.siec.active = false;
    p.status->applyOptions();
    p.counters(50000, 100);
    p.settings.siec.active = true;
    p.status->applyOptions();
    p.counters(50000, 100);
    p.counters(50500, 100);
    p.loop->shutdown(false);
    QCOMPARE(bytesOf(dir.path() + u"/Siec.ini"_s), crlf("[Siec]\n12.03.2024=1500|0\n"));
}

void TestStatusService::mouseSwitchedOnStartsWherePointerIs()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s));
    p.settings.ruchMyszy.active = false;
    p.start();
    p.moveTo(800, 600);
    p.settings.ruchMyszy.active = true;
    p.status->applyOptions();
    p.run(50);
    QCOMPARE(p.status->mouse().travel(), qint64(0));
    p.moveTo(810, 590);
    QCOMPARE(p.status->mouse().travel(), qint64(20));

    // On Wayland nothing is counted.
    p.pointer.isAvailable = false;
    p.moveTo(5000, 5000);
    QCOMPARE(p.status->mouse().travel(), qint64(20));
}

void TestStatusService::gaugesSignalOnlyChanges()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s));
    p.memory.status = MemoryStatus{{8LL << 30, 4LL << 30}, {}};
    p.cpu.readings = {CpuTimes{100, 1000}, CpuTimes{150, 2000}};
    // The rows are filled at the start already.
    p.start();
    QCOMPARE(p.status->gauges().row(1).label, u"4096"_s);
    QSignalSpy changed(p.status.get(), &StatusService::gaugesChanged);
    // The same figures 20 times a second repaint nothing.
    p.run(500);
    QCOMPARE(changed.size(), 0);
    p.memory.status->ram.available = 1LL << 30;
    p.run(50);
    QCOMPARE(changed.size(), 1);

    // The processor row after its second reading, the first being the start's.
    QVERIFY(!p.status->cpuPercent());
    p.run(1000);
    QCOMPARE(p.status->cpuPercent(), std::optional<int>(95));
}

void TestStatusService::trayValues()
{
    QTemporaryDir dir;
    Program p(dir.path(), at(u"12.03.2024 10:00:00"_s), {u"S 12.03.2024 08:00:00"_s});
    p.memory.status = MemoryStatus{{8LL << 30, 2LL << 30}, {}};
    p.start();
    p.counters(1000 + 3 * 1024, 100);
    QVERIFY(p.status->provides(StatusFeature::Gauges));
    QCOMPARE(p.status->ram()->available, 2LL << 30);
    QCOMPARE(p.status->traffic()->receivedKbPerSecond, qint64(3));
    QCOMPARE(*p.status->uptimeText(), u"02:00:01"_s);
    p.settings.siec.active = false;
    QVERIFY(!p.status->traffic());
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestStatusService)
#include "tst_status_service.moc"

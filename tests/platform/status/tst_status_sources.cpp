#include "support/FileFixture.h"
#include "WtmpWriter.h"
#include "core/common/Clock.h"
#include "core/status/TrafficDays.h"
#include "core/status/TrafficMonitor.h"
#include "core/status/UptimeLog.h"
#include "platform/status/ProcSources.h"
#include "platform/status/SysRoot.h"
#include "platform/status/WtmpRecords.h"
#include "support/FakeClock.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kFixtures = QStringLiteral(ZORVEX_FIXTURES "/status/");

// A writable copy of the recorded tree, for trees that change between samples.
bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (!writeFile(to + file.mid(from.size()), fileBytes(file)))
            return false;
    }
    return true;
}

QString eventsText(const std::vector<UptimeEvent>& events)
{
    QStringList out;
    for (const UptimeEvent& e : events)
        out << (e.kind == UptimeEvent::Kind::Start ? u"S "_s : u"E "_s)
                + e.time.toUTC().toString(u"dd.MM.yyyy HH:mm:ss"_s);
    return out.join(u", "_s);
}

} // namespace

class TestStatusSources : public QObject {
    Q_OBJECT

private slots:
    void sysRootPrefixesEveryPath();
    void cpuAndMemoryFromTheTree();
    void interfacesFromTheTree();
    void trafficThroughMovingAndResettingCounters_data();
    void trafficThroughMovingAndResettingCounters();
    void drivesFromTheTree();
    void wtmpRecords_data();
    void wtmpRecords();
    void wtmpMissingOrUnreadable();
    void committedWtmpFixture();
};

void TestStatusSources::sysRootPrefixesEveryPath()
{
    QCOMPARE(SysRoot(u"/tmp/tree/"_s).path(u"/proc/stat"_s), u"/tmp/tree/proc/stat"_s);
    QCOMPARE(SysRoot().path(u"/proc/stat"_s), u"/proc/stat"_s);
    qputenv("ZORVEX_SYSROOT", "/srv/recorded");
    QCOMPARE(SysRoot::fromEnvironment().path(u"/sys/block"_s), u"/srv/recorded/sys/block"_s);
    qunsetenv("ZORVEX_SYSROOT");
    QCOMPARE(SysRoot::fromEnvironment().root(), QString());
    QByteArray bytes;
    QVERIFY(!SysRoot(kFixtures + u"missing"_s).read(u"/proc/stat"_s, &bytes));
}

void TestStatusSources::cpuAndMemoryFromTheTree()
{
    const SysRoot tree(kFixtures + u"tree"_s);
    const auto cpu = LinuxCpuTimesSource(tree).read();
    QVERIFY(cpu);
    QCOMPARE(cpu->idle, quint64(3699176 + 23060));
    QCOMPARE(cpu->total, quint64(4705 + 356 + 584 + 3699176 + 23060 + 277));
    const auto mem = LinuxMemorySource(tree).read();
    QVERIFY(mem);
    QCOMPARE(mem->ram.available, qint64(9452072) * 1024);
    QCOMPARE(mem->swap.total - mem->swap.available, qint64(2097148 - 1572860) * 1024);
    QVERIFY(!LinuxMemorySource(SysRoot(kFixtures + u"missing"_s)).read());
}

void TestStatusSources::interfacesFromTheTree()
{
    FixedIpv4Addresses addresses;
    addresses.addresses = {{u"lo"_s, 0x7F000001u}, {u"enp3s0"_s, 0xC0A8010Au}};
    LinuxNetInterfaceSource source(addresses, SysRoot(kFixtures + u"tree"_s));
    const auto rows = source.read();
    QVERIFY(rows);
    QCOMPARE(rows->size(), std::size_t(3));
    const NetInterfaceRow& lo = rows->at(0);
    QCOMPARE(lo.index, 1);
    QVERIFY(lo.mac.isEmpty());
    QVERIFY(!lo.speed);
    const NetInterfaceRow& eth = rows->at(1);
    QCOMPARE(eth.name, u"enp3s0"_s);
    QCOMPARE(eth.mac.toHex(), QByteArray("1c1b0daabbcc"));
    QCOMPARE(eth.speed, std::optional<qint64>(1000000000));
    QCOMPARE(eth.received, quint64(8000000000ULL));
    QCOMPARE(eth.ipv4, std::optional<quint32>(0xC0A8010Au));
    const NetInterfaceRow& wlan = rows->at(2);
    QCOMPARE(wlan.index, 3);
    QVERIFY(!wlan.speed); // wireless links report no speed here
    QVERIFY(!wlan.ipv4);
    QVERIFY(!LinuxNetInterfaceSource(addresses, SysRoot(kFixtures + u"missing"_s)).read());
}

void TestStatusSources::trafficThroughMovingAndResettingCounters_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QByteArray>("day");

    // enp3s0's driver is reloaded at the fourth sample and its counters
    // pass 2^32 at the sixth; wlan0 is unplugged at the fourth and comes
    // back at the sixth under another index.
    QTest::newRow("wired") << u"1C-1B-0D-AA-BB-CC"_s << QByteArray("4295462000|37000");
    QTest::newRow("unplugged and back") << u"A4-C3-F0-11-22-33"_s << QByteArray("10000|800");
}

void TestStatusSources::trafficThroughMovingAndResettingCounters()
{
    QFETCH(QString, mac);
    QFETCH(QByteArray, day);

    QTemporaryDir dir;
    const QString root = dir.filePath(u"tree"_s);
    QVERIFY(copyTree(kFixtures + u"tree"_s, root));
    FixedIpv4Addresses addresses;
    LinuxNetInterfaceSource source(addresses, SysRoot(root));
    FakeClock clock(QDateTime(QDate(2024, 3, 11), QTime(10, 0)));
    TrafficMonitor monitor(clock, source);
    monitor.chooseAtStart(mac, 0);
    for (int n = 1; n <= 7; ++n) {
        QVERIFY(writeFile(root + u"/proc/net/dev"_s, fileBytes(kFixtures + u"netdev/dev.%1"_s.arg(n))));
        if (n == 6)
            QVERIFY(writeFile(root + u"/sys/class/net/wlan0/ifindex"_s, "7\n"));
        monitor.sample();
        clock.advanceMs(1000);
    }
    QCOMPARE(monitor.chosenRecord()->mac, mac);
    // The orderly shutdown commits today's traffic.
    const QString siec = dir.filePath(u"Siec.ini"_s);
    monitor.commit(siec, clock.now().date());
    QCOMPARE(fileBytes(siec), "[Siec]\r\n11.03.2024=" + day + "\r\n");
}

void TestStatusSources::drivesFromTheTree()
{
    QTemporaryDir dir;
    const QString root = dir.filePath(u"tree"_s);
    QVERIFY(copyTree(kFixtures + u"tree"_s, root));
    QStringList asked;
    const FsSpaceProbe probe = [&asked](const QString& mountPoint) {
        asked << mountPoint;
        return std::optional<FsSpace>(FsSpace{qint64(asked.size()) * 1000, 10000});
    };
    LinuxDriveSource source(SysRoot(root), probe);
    QVERIFY(source.blockInfo(u"sdb1"_s).removable);
    QVERIFY(!source.blockInfo(u"nvme0n1p2"_s).removable);
    QVERIFY(source.blockInfo(u"dm-0"_s).hasMedia);

    auto names = [](const std::vector<DriveInfo>& drives) {
        QStringList out;
        for (const DriveInfo& d : drives)
            out << d.name + (d.removable ? u" (removable)"_s : QString()) + (d.hasMedia ? QString() : u" (empty)"_s);
        return out;
    };
    QCOMPARE(names(source.drives(false)), (QStringList{u"/"_s, u"/home"_s, u"/mnt/dane zapas"_s}));
    const auto all = source.drives(true);
    QCOMPARE(names(all), (QStringList{u"/"_s, u"/home"_s, u"/mnt/dane zapas"_s, u"/media/jan/PENDRIVE (removable)"_s}));
    QCOMPARE(all.back().free, qint64(7000));
    // Network and FUSE mounts are never asked: a dead server would block.
    for (const QString& m : asked)
        QVERIFY2(!m.startsWith(u"/mnt/n"_s) && m != u"/mnt/ssh"_s && m != u"/mnt/windows"_s, qPrintable(m));

    // A card reader without its card has no size: listed, not asked.
    QVERIFY(writeFile(root + u"/sys/block/sdb/size"_s, "0\n"));
    asked.clear();
    QCOMPARE(names(source.drives(true)).last(), u"/media/jan/PENDRIVE (removable) (empty)"_s);
    QVERIFY(!asked.contains(u"/media/jan/PENDRIVE"_s));
}

void TestStatusSources::wtmpRecords_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("events");

    QTest::newRow("a run") << boot(utc("10.03.2024 08:00:00")) + shutdown(utc("10.03.2024 12:30:00"))
                           << u"S 10.03.2024 08:00:00, E 10.03.2024 12:30:00"_s;
    // Only a boot record named "reboot" and a run level named "shutdown" count.
    QTest::newRow("other records") << wtmpRecord({RUN_LVL, "runlevel", "~", utc("10.03.2024 08:00:05")})
                                          + wtmpRecord({BOOT_TIME, "jan", "~", utc("10.03.2024 09:00:00")})
                                          + wtmpRecord({USER_PROCESS, "shutdown", "pts/0", utc("10.03.2024 10:00:00")})
                                   << QString();
    QTest::newRow("a cut-off last record is left out")
        << boot(utc("10.03.2024 08:00:00")) + wtmpRecord({RUN_LVL, "shutdown", "~~", utc("10.03.2024 12:30:00")}).left(200)
        << u"S 10.03.2024 08:00:00"_s;
    QTest::newRow("empty") << QByteArray() << QString();
}

void TestStatusSources::wtmpRecords()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, events);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"wtmp"_s);
    QVERIFY(writeFile(path, file));
    QCOMPARE(eventsText(WtmpRecords(path).read()), events);
}

void TestStatusSources::wtmpMissingOrUnreadable()
{
    QTemporaryDir dir;
    QVERIFY(WtmpRecords(dir.filePath(u"none"_s)).read().empty());
    QVERIFY(WtmpRecords(dir.path()).read().empty()); // a folder
    const QString path = dir.filePath(u"wtmp"_s);
    QVERIFY(writeFile(path, boot(utc("10.03.2024 08:00:00"))));
    {
        UnreadableFile locked(path);
        if (!locked.active())
            QSKIP("the file cannot be made unreadable here");
        QVERIFY(WtmpRecords(path).read().empty());
    }
    qputenv("ZORVEX_WTMP", path.toLocal8Bit());
    QCOMPARE(WtmpRecords::defaultPath(), path);
    qunsetenv("ZORVEX_WTMP");
    QCOMPARE(WtmpRecords::defaultPath(), u"/var/log/wtmp"_s);
}

void TestStatusSources::committedWtmpFixture()
{
    const QString fixture = kFixtures + u"wtmp/runs.wtmp"_s;
    // The committed file is what the generator builds from struct utmp.
    QCOMPARE(fileBytes(fixture), runsFixture());

    // The program starts on 15.03.2024 at 10:00 (UTC, as the test runs);
    // its autosave record knew the run that ended without a shutdown record.
    QTemporaryDir dir;
    const QString czas = dir.filePath(u"Czas.ini"_s);
    const QString czas2 = dir.filePath(u"Czas2.ini"_s);
    WtmpRecords records(fixture);
    const QByteArray expected =
        "[Daty]\r\n1=10.03.2024\r\n2=11.03.2024\r\n3=12.03.2024\r\n4=13.03.2024\r\n5=14.03.2024\r\n\r\n"
        "[10.03.2024]\r\n0=23399\r\n1=08:00:00|12:30:00\r\n2=22:00:00|23:59:59\r\n\r\n"
        "[11.03.2024]\r\n0=7200\r\n1=00:00:00|02:00:00\r\n\r\n"
        "[12.03.2024]\r\n0=49499\r\n1=09:00:00|11:45:00\r\n2=13:00:00|23:59:59\r\n\r\n"
        "[13.03.2024]\r\n0=86399\r\n1=00:00:00|23:59:59\r\n\r\n"
        "[14.03.2024]\r\n0=3600\r\n1=00:00:00|01:00:00\r\n";
    for (int start = 1; start <= 2; ++start) {
        FakeClock clock(QDateTime(QDate(2024, 3, 15), QTime(10, 0)));
        UptimeLog log(clock, records, czas, czas2);
        if (start == 1)
            log.setInterruptedSession(QDateTime(QDate(2024, 3, 12), QTime(9, 0)),
                                      QDateTime(QDate(2024, 3, 12), QTime(11, 45)));
        log.importRuns();
        QCOMPARE(QString::fromLatin1(fileBytes(czas)), QString::fromLatin1(expected));
        QCOMPARE(log.currentRunStart(), QDateTime(QDate(2024, 3, 15), QTime(7, 0)));
    }
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestStatusSources)
#include "tst_status_sources.moc"

#include "StatusTestUtil.h"
#include "core/common/Clock.h"
#include "core/common/DataFile.h"
#include "core/status/TrafficDays.h"
#include "core/status/TrafficFormat.h"
#include "core/status/TrafficMonitor.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

namespace {

const QChar kGroup(0x00A0);

NetInterfaceRow row(int index, const QString& name, const QByteArray& mac, quint64 in = 0, quint64 out = 0,
                    std::optional<quint32> ip = std::nullopt)
{
    NetInterfaceRow r;
    r.index = index;
    r.name = name;
    r.mac = QByteArray::fromHex(mac);
    r.received = in;
    r.sent = out;
    r.ipv4 = ip;
    return r;
}

constexpr quint32 kLoopback = 0x7F000001u;
constexpr quint32 kLan = 0xC0A8010Au; // 192.168.1.10

} // namespace

class TestTraffic : public QObject {
    Q_OBJECT

private slots:
    void byteTexts_data();
    void byteTexts();
    void speedTexts_data();
    void speedTexts();
    void addressTexts();
    void deltas_data();
    void deltas();
    void unpluggedInterfaceKeepsItsRecord();
    void unreadableTableStopsCountingForASecond();
    void startChoice_data();
    void startChoice();
    void dayChangeRebuildsAndFindsTheInterfaceAgain();
    void ratesOverLongerGaps();
    void siecCommits();
    void unreadableSiecIsKept();
    void pages();
    void pagesWithoutDays();
};

void TestTraffic::byteTexts_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("dayTotal");
    QTest::addColumn<QString>("dayList");

    QTest::newRow("zero") << qint64(0) << u"0 B"_s << u"0,00 MB"_s << u"     0,00 MB"_s;
    QTest::newRow("grouped bytes") << qint64(1023) << (u"1"_s + kGroup + u"023 B"_s) << u"0,00 MB"_s
                                   << u"     0,00 MB"_s;
    QTest::newRow("1536 bytes") << qint64(1536) << u"1,50 KB"_s << u"0,00 MB"_s << u"     0,00 MB"_s;
    QTest::newRow("a megabyte") << qint64(1048576) << u"1,00 MB"_s << u"1,00 MB"_s << u"     1,00 MB"_s;
    QTest::newRow("gigabytes") << qint64(5368709120LL) << u"5,00 GB"_s << u"5,00 GB"_s << u"  5120,00 MB"_s;
    QTest::newRow("over a thousand GB") << qint64(1234567890123LL) << (u"1"_s + kGroup + u"149,78 GB"_s)
                                        << (u"1"_s + kGroup + u"149,78 GB"_s) << u"1177375,69 MB"_s;
}

void TestTraffic::byteTexts()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QFETCH(QString, dayTotal);
    QFETCH(QString, dayList);
    QCOMPARE(formatBytes(bytes), text);
    QCOMPARE(formatDayTotal(bytes), dayTotal);
    QCOMPARE(formatDayListValue(bytes), dayList);
}

void TestTraffic::speedTexts_data()
{
    QTest::addColumn<qint64>("bps"); // -1: unknown
    QTest::addColumn<QString>("text");

    QTest::newRow("unknown") << qint64(-1) << QString();
    QTest::newRow("bps") << qint64(999) << u"999,00 bps"_s;
    QTest::newRow("Kbps") << qint64(56000) << u"56,00 Kbps"_s;
    QTest::newRow("Mbps") << qint64(100000000) << u"100,00 Mbps"_s;
    QTest::newRow("1 Gb/s") << qint64(1000000000) << u"1,00 Gbps"_s;
    QTest::newRow("25 Gb/s") << qint64(25000000000LL) << u"25,00 Gbps"_s;
}

void TestTraffic::speedTexts()
{
    QFETCH(qint64, bps);
    QFETCH(QString, text);
    QCOMPARE(formatSpeed(bps < 0 ? std::nullopt : std::optional<qint64>(bps)), text);
}

void TestTraffic::addressTexts()
{
    QCOMPARE(ipText(kLoopback), u"127.  0.  0.  1"_s);
    QCOMPARE(ipText(kLan), u"192.168.  1. 10"_s);
    QCOMPARE(ipText(std::nullopt), u"IP nieznany"_s);
    QCOMPARE(macText(QByteArray::fromHex("1c1b0daabbcc")), u"1C-1B-0D-AA-BB-CC"_s);
    QCOMPARE(macText(QByteArray()), u"00-00-00-00-00-00"_s);
}

void TestTraffic::deltas_data()
{
    QTest::addColumn<QStringList>("counters"); // received:sent of each sample
    QTest::addColumn<QString>("expected");      // totals, last current, samples, peaks, averages

    QTest::newRow("moving") << QStringList{u"1000:10"_s, u"1500:10"_s, u"2500:40"_s}
                            << u"total 1500/30 current 1000/30 samples 2/1 peak 1000/30 avg 750/30"_s;
    QTest::newRow("a reset becomes the baseline")
        << QStringList{u"1000:900"_s, u"5000:1000"_s, u"200:50"_s, u"700:80"_s}
        << u"total 4500/130 current 500/30 samples 2/2 peak 4000/100 avg 2250/65"_s;
    QTest::newRow("just below 2^32 to 200 is no wrap")
        << QStringList{u"4294967000:0"_s, u"200:0"_s, u"300:0"_s}
        << u"total 100/0 current 100/0 samples 1/0 peak 100/0 avg 100/0"_s;
    QTest::newRow("64-bit counters pass 2^32")
        << QStringList{u"4294967000:0"_s, u"4294968000:0"_s}
        << u"total 1000/0 current 1000/0 samples 1/0 peak 1000/0 avg 1000/0"_s;
    QTest::newRow("no traffic") << QStringList{u"77:77"_s, u"77:77"_s, u"77:77"_s}
                                << u"total 0/0 current 0/0 samples 0/0 peak 0/0 avg 0/0"_s;
}

void TestTraffic::deltas()
{
    QFETCH(QStringList, counters);
    QFETCH(QString, expected);

    FakeClock clock;
    FakeNetInterfaceSource source;
    TrafficMonitor monitor(clock, source);
    for (const QString& c : counters) {
        source.table = std::vector<NetInterfaceRow>{
            row(2, u"enp3s0"_s, "1c1b0daabbcc", c.section(u':', 0, 0).toULongLong(), c.section(u':', 1).toULongLong())};
        monitor.sample();
        clock.advanceMs(1000);
    }
    QCOMPARE(monitor.records().size(), std::size_t(1));
    const TrafficRecord& r = monitor.records().front();
    QCOMPARE(u"total %1/%2 current %3/%4 samples %5/%6 peak %7/%8 avg %9/%10"_s.arg(r.totalIn)
                 .arg(r.totalOut)
                 .arg(r.currentIn)
                 .arg(r.currentOut)
                 .arg(r.samplesIn)
                 .arg(r.samplesOut)
                 .arg(r.peakIn)
                 .arg(r.peakOut)
                 .arg(r.averageIn())
                 .arg(r.averageOut()),
             expected);
}

void TestTraffic::unpluggedInterfaceKeepsItsRecord()
{
    FakeClock clock;
    FakeNetInterfaceSource source;
    TrafficMonitor monitor(clock, source);
    source.table = std::vector<NetInterfaceRow>{row(2, u"enp3s0"_s, "1c1b0daabbcc", 100, 100),
                                                row(5, u"usb0"_s, "020000000001", 1000, 1000, kLan)};
    monitor.sample();
    monitor.choose(1);
    source.row(u"usb0"_s)->received = 6000;
    monitor.sample();
    QCOMPARE(monitor.receivedPerSecond(), qint64(5000));

    // Unplugged: the record stays with its last values and stops counting.
    source.table->pop_back();
    monitor.sample();
    QCOMPARE(monitor.records().size(), std::size_t(2));
    const TrafficRecord* usb = monitor.chosenRecord();
    QVERIFY(!usb->present);
    QVERIFY(!usb->active);
    QCOMPARE(usb->currentIn, qint64(5000));
    QCOMPARE(monitor.receivedPerSecond(), qint64(0));

    // Plugged in again: a new index and counters from 0, the same record.
    source.table->push_back(row(9, u"usb0"_s, "020000000001", 300, 50, kLan));
    QVERIFY(monitor.sample());
    QCOMPARE(monitor.records().size(), std::size_t(2));
    QCOMPARE(monitor.chosen(), 1);
    QCOMPARE(usb->index, 9);
    QCOMPARE(usb->totalIn, qint64(5000));
    source.row(u"usb0"_s)->received = 800;
    monitor.sample();
    QCOMPARE(usb->totalIn, qint64(5500));

    // Plugged out and in again within one second.
    *source.row(u"usb0"_s) = row(11, u"usb0"_s, "020000000001", 20, 20, kLan);
    QVERIFY(monitor.sample());
    QCOMPARE(monitor.records().size(), std::size_t(2));
    QCOMPARE(usb->index, 11);
    QCOMPARE(usb->totalIn, qint64(5500));
    source.row(u"usb0"_s)->received = 70;
    monitor.sample();
    QCOMPARE(usb->totalIn, qint64(5550));

    // Another device is another record.
    source.table->push_back(row(12, u"usb1"_s, "020000000002", 0, 0));
    QVERIFY(monitor.sample());
    QCOMPARE(monitor.records().size(), std::size_t(3));
    QCOMPARE(monitor.chosen(), 1);
}

void TestTraffic::unreadableTableStopsCountingForASecond()
{
    FakeClock clock;
    FakeNetInterfaceSource source;
    TrafficMonitor monitor(clock, source);
    source.table = std::vector<NetInterfaceRow>{row(2, u"enp3s0"_s, "1c1b0daabbcc", 100, 100)};
    monitor.sample();
    monitor.choose(0);
    const auto table = source.table;
    source.table.reset();
    monitor.sample();
    QVERIFY(!monitor.chosenRecord()->active);
    // Back: the bytes that passed meanwhile count.
    source.table = table;
    source.row(u"enp3s0"_s)->received = 900;
    monitor.sample();
    QVERIFY(monitor.chosenRecord()->active);
    QCOMPARE(monitor.receivedToday(), qint64(800));

    // Switched off, nothing counts.
    monitor.setCounting(false);
    source.row(u"enp3s0"_s)->received = 5000;
    monitor.sample();
    QCOMPARE(monitor.receivedToday(), qint64(800));
}

void TestTraffic::startChoice_data()
{
    QTest::addColumn<QStringList>("interfaces"); // name:mac:ip ("-" without an address)
    QTest::addColumn<QString>("mac");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("chosen");

    const QStringList usual{u"lo:000000000000:127.0.0.1"_s, u"enp3s0:1c1b0daabbcc:192.168.1.10"_s,
                            u"wlan0:a4c3f0112233:-"_s};
    QTest::newRow("by MAC") << usual << u"A4-C3-F0-11-22-33"_s << 0 << 2;
    QTest::newRow("MAC gone: by position") << usual << u"11-11-11-11-11-11"_s << 2 << 2;
    QTest::newRow("position out of range: the first with an address")
        << usual << QString() << 7 << 1;
    QTest::newRow("nothing with an address: the first")
        << QStringList{u"lo:000000000000:127.0.0.1"_s, u"dummy0:aaaaaaaaaaaa:0.0.0.0"_s} << QString() << 5 << 0;
    QTest::newRow("interfaces without an address share the zero MAC: the position decides")
        << QStringList{u"lo:000000000000:127.0.0.1"_s, u"enp3s0:1c1b0daabbcc:192.168.1.10"_s,
                       u"tun0:000000000000:10.8.0.2"_s}
        << u"00-00-00-00-00-00"_s << 2 << 2;
}

void TestTraffic::startChoice()
{
    QFETCH(QStringList, interfaces);
    QFETCH(QString, mac);
    QFETCH(int, position);
    QFETCH(int, chosen);

    FakeClock clock;
    FakeNetInterfaceSource source;
    source.table = std::vector<NetInterfaceRow>{};
    int index = 1;
    for (const QString& i : interfaces) {
        const QStringList f = i.split(u':');
        std::optional<quint32> ip;
        if (f[2] != u"-"_s) {
            const QStringList b = f[2].split(u'.');
            ip = b[0].toUInt() << 24 | b[1].toUInt() << 16 | b[2].toUInt() << 8 | b[3].toUInt();
        }
        source.table->push_back(row(index++, f[0], f[1].toLatin1(), 0, 0, ip));
    }
    TrafficMonitor monitor(clock, source);
    monitor.chooseAtStart(mac, position);
    QCOMPARE(monitor.chosen(), -1);
    monitor.sample();
    QCOMPARE(monitor.chosen(), chosen);
}

void TestTraffic::dayChangeRebuildsAndFindsTheInterfaceAgain()
{
    QTemporaryDir dir;
    const QString siec = dir.filePath(u"Siec.ini"_s);
    FakeClock clock(at(u"10.03.2024 23:59:59"_s));
    FakeNetInterfaceSource source;
    TrafficMonitor monitor(clock, source);
    source.table = std::vector<NetInterfaceRow>{row(1, u"lo"_s, "", 0, 0, kLoopback),
                                                row(3, u"wlan0"_s, "a4c3f0112233", 1000, 500, kLan)};
    monitor.chooseAtStart(u"A4-C3-F0-11-22-33"_s, 0);
    monitor.sample();
    source.row(u"wlan0"_s)->received = 4000;
    source.row(u"wlan0"_s)->sent = 600;
    monitor.sample();

    clock.set(at(u"11.03.2024 00:00:01"_s));
    monitor.commitDay(siec, QDate(2024, 3, 10));
    QCOMPARE(bytesOf(siec), crlf("[Siec]\n10.03.2024=3000|100\n"));
    QCOMPARE(monitor.receivedToday(), qint64(0));

    // A docking station's interface came first in the new table.
    source.table->insert(source.table->begin(), row(7, u"enx00e04c"_s, "00e04c680001", 0, 0, kLan));
    source.row(u"wlan0"_s)->received = 4500;
    monitor.sample();
    QCOMPARE(monitor.chosenRecord()->description, u"wlan0"_s);
    QCOMPARE(monitor.receivedToday(), qint64(0));
    source.row(u"wlan0"_s)->received = 4700;
    monitor.sample();
    QCOMPARE(monitor.receivedToday(), qint64(200));
}

void TestTraffic::ratesOverLongerGaps()
{
    FakeClock clock;
    FakeNetInterfaceSource source;
    TrafficMonitor monitor(clock, source);
    source.table = std::vector<NetInterfaceRow>{row(2, u"enp3s0"_s, "1c1b0daabbcc", 0, 0)};
    monitor.sample();
    monitor.choose(0);
    // A late tick: 3000 bytes over two seconds.
    clock.advanceMs(2000);
    source.row(u"enp3s0"_s)->received = 3000;
    monitor.sample();
    QCOMPARE(monitor.receivedPerSecond(), qint64(1500));
    // An early one: the bytes as they are.
    clock.advanceMs(600);
    source.row(u"enp3s0"_s)->received = 4000;
    monitor.sample();
    QCOMPARE(monitor.receivedPerSecond(), qint64(1000));

    const auto f = monitor.figures();
    QVERIFY(f);
    QCOMPARE(f->receivedKbPerSecond, qint64(1));
    QCOMPARE(f->totalReceived, u"3,91 KB"_s);
    QCOMPARE(f->averageReceived, u"1,95 KB"_s);
    QCOMPARE(f->interfaceText, u"IP nieznany"_s);
}

void TestTraffic::siecCommits()
{
    QTemporaryDir dir;
    const QString siec = dir.filePath(u"Siec.ini"_s);
    QVERIFY(writeBytes(siec, crlf("[Siec]\n09.03.2024=abc|5\n10.03.2024=9223372036854775000|1\n")));
    trafficdays::add(siec, QDate(2024, 3, 9), 100, 100);
    trafficdays::add(siec, QDate(2024, 3, 10), 10000, 1);
    trafficdays::add(siec, QDate(2024, 3, 11), 0, 0);
    QCOMPARE(bytesOf(siec),
             crlf("[Siec]\n09.03.2024=100|105\n10.03.2024=9223372036854775807|2\n11.03.2024=0|0\n"));
}

// Too large to read stands for any file that cannot be read whole: written
// from nothing it would lose every stored day.
void TestTraffic::unreadableSiecIsKept()
{
    QTemporaryDir dir;
    const QString siec = dir.filePath(u"Siec.ini"_s);
    QVERIFY(test::makeSparseFile(siec, kMaxDataFileSize + 1));
    trafficdays::add(siec, QDate(2024, 3, 9), 100, 100);
    QCOMPARE(QFileInfo(siec).size(), kMaxDataFileSize + 1);
}

void TestTraffic::pages()
{
    QTemporaryDir dir;
    const QString siec = dir.filePath(u"Siec.ini"_s);
    QVERIFY(writeBytes(siec, crlf("[Siec]\n01.03.2024=1048576|100\n05.03.2024=3145728000|200\n"
                                  "20.02.2024=524288|0\n12.03.2024=1|1\nxx=5|5\n")));
    const TrafficDays days = TrafficDays::load(siec, QDate(2024, 3, 11));
    using D = TrafficDays::Direction;
    QCOMPARE(days.dayLines(D::Received), (QStringList{u" 20.02.2024 -      0,50 MB"_s, u" 01.03.2024 -      1,00 MB"_s,
                                                      u" 05.03.2024 -   3000,00 MB"_s}));
    QCOMPARE(days.totalText(D::Received, 0), u"Łącznie od dnia 20.02.2024 do dzisiejszego: 2,93 GB"_s);
    QCOMPARE(days.largestText(D::Received, 0), u"Największy transfer w dniu 05.03.2024: 2,93 GB"_s);
    QCOMPARE(days.largestText(D::Sent, 0), u"Największy transfer w dniu 05.03.2024: 0,00 MB"_s);

    const TrafficDays::Month m = days.month(D::Received, 2024, 3);
    QCOMPARE(m.totalText, u"Razem: 2,93 GB"_s);
    QCOMPARE(m.averageText, u"Średnio: 1,47 GB"_s);
    QCOMPARE(m.axis.front(), u"2884"_s); // 22/24 of 3145.728 million bytes
    QCOMPARE(days.chartHint(D::Received, QDate(2024, 3, 1)).value_or(QString()),
             u"Dzień: piątek 1.03.2024\rTransfer: 1,00 MB"_s);
    QVERIFY(!days.chartHint(D::Received, QDate(2024, 3, 2)));

    // A small month keeps two decimals on its axis.
    const TrafficDays::Month feb = days.month(D::Received, 2024, 2);
    QCOMPARE(feb.axis.front(), u"0,48"_s);
    QCOMPARE(feb.axis.back(), u"0,04"_s);
}

void TestTraffic::pagesWithoutDays()
{
    QTemporaryDir dir;
    const TrafficDays days = TrafficDays::load(dir.filePath(u"Siec.ini"_s), QDate(2024, 3, 11));
    using D = TrafficDays::Direction;
    // Both labels name today and show the live total.
    QCOMPARE(days.totalText(D::Sent, 3145728), u"Łącznie od dnia 11.03.2024 do dzisiejszego: 3,00 MB"_s);
    QCOMPARE(days.largestText(D::Sent, 3145728), u"Największy transfer w dniu 11.03.2024: 3,00 MB"_s);
    const TrafficDays::Month m = days.month(D::Sent, 2024, 3);
    QCOMPARE(m.averageText, u"Średnio: 0,00 MB"_s);
    QCOMPARE(m.axis.front(), u"0,00"_s);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestTraffic)
#include "tst_status_traffic.moc"

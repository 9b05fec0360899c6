#include "core/status/CpuUsage.h"
#include "core/status/ProcParsers.h"

#include <QFile>
#include <QTest>

namespace zorvex {

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(ZORVEX_FIXTURES "/status/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestProcFiles : public QObject {
    Q_OBJECT

private slots:
    void cpuUseFromRecordedPairs_data();
    void cpuUseFromRecordedPairs();
    void cpuCountersThatDoNotMove();
    void meminfo_data();
    void meminfo();
    void netDev();
    void driveMounts();
};

void TestProcFiles::cpuUseFromRecordedPairs_data()
{
    QTest::addColumn<QString>("pair");
    QTest::addColumn<double>("use");

    // Four processors in each pair: dividing by their number again would
    // give a quarter of these.
    QTest::newRow("idle machine") << u"idle"_s << 3.75;
    QTest::newRow("busy machine") << u"busy"_s << 97.5;
    // Waiting for the disk is idle time.
    QTest::newRow("waiting for input and output") << u"iowait"_s << 25.0;
    // Guest time is inside user time already.
    QTest::newRow("a virtual machine's guest time") << u"guest"_s << 50.0;
    QTest::newRow("an old kernel's four fields") << u"old-kernel"_s << 10.0;
}

void TestProcFiles::cpuUseFromRecordedPairs()
{
    QFETCH(QString, pair);
    QFETCH(double, use);
    const auto first = parseProcStat(fixture(u"cpu/"_s + pair + u".1"_s));
    const auto second = parseProcStat(fixture(u"cpu/"_s + pair + u".2"_s));
    QVERIFY(first && second);
    CpuUsage cpu;
    QCOMPARE(cpu.update(*first), std::nullopt);
    const auto got = cpu.update(*second);
    QVERIFY(got);
    QCOMPARE(*got, use);
}

void TestProcFiles::cpuCountersThatDoNotMove()
{
    CpuUsage cpu;
    cpu.update({1000, 2000});
    // Read twice within one tick: no new figure rather than 100 %.
    QCOMPARE(cpu.update({1000, 2000}), std::nullopt);
    // An idle count stepping back gives no figure rather than a false 100 %.
    QCOMPARE(cpu.update({990, 2100}), std::nullopt);
    QCOMPARE(cpu.update({1090, 2200}).value_or(-1), 0.0);
    QCOMPARE(parseProcStat("intr 1 2 3\ncpu0 1 2 3 4\n"), std::nullopt);
    QCOMPARE(parseProcStat("cpu  1 x 3 4 5\n"), std::nullopt);
}

void TestProcFiles::meminfo_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<qint64>("ramTotalKb");
    QTest::addColumn<qint64>("ramAvailableKb");
    QTest::addColumn<qint64>("swapTotalKb");
    QTest::addColumn<qint64>("swapAvailableKb");

    QTest::newRow("desktop") << u"tree/proc/meminfo"_s << qint64(16318280) << qint64(9452072) << qint64(2097148)
                             << qint64(1572860);
    QTest::newRow("no swap") << u"meminfo/noswap"_s << qint64(4028264) << qint64(322456) << qint64(0) << qint64(0);
    // Without MemAvailable: free + buffers + cache.
    QTest::newRow("old kernel") << u"meminfo/old-kernel"_s << qint64(2048000) << qint64(1024000) << qint64(1024000)
                                << qint64(1024000);
}

void TestProcFiles::meminfo()
{
    QFETCH(QString, file);
    QFETCH(qint64, ramTotalKb);
    QFETCH(qint64, ramAvailableKb);
    QFETCH(qint64, swapTotalKb);
    QFETCH(qint64, swapAvailableKb);
    const auto m = parseMeminfo(fixture(file));
    QVERIFY(m);
    QCOMPARE(m->ram.total, ramTotalKb * 1024);
    QCOMPARE(m->ram.available, ramAvailableKb * 1024);
    QCOMPARE(m->swap.total, swapTotalKb * 1024);
    QCOMPARE(m->swap.available, swapAvailableKb * 1024);
    QCOMPARE(parseMeminfo("SwapTotal: 5 kB\n"), std::nullopt);
}

void TestProcFiles::netDev()
{
    const auto rows = parseNetDev(fixture(u"tree/proc/net/dev"_s));
    QVERIFY(rows);
    QCOMPARE(rows->size(), std::size_t(3));
    QCOMPARE(rows->at(1).name, u"enp3s0"_s);
    QCOMPARE(rows->at(1).received, quint64(8000000000ULL));
    QCOMPARE(rows->at(1).sent, quint64(2000000));
    // Old kernels let the counter touch the colon.
    const auto old = parseNetDev("Inter-|\n face |\n  eth0:123 1 0 0 0 0 0 0 456 2 0 0 0 0 0 0\n");
    QVERIFY(old);
    QCOMPARE(old->at(0).received, quint64(123));
    QCOMPARE(old->at(0).sent, quint64(456));
    QCOMPARE(parseNetDev("not the file\n"), std::nullopt);
}

void TestProcFiles::driveMounts()
{
    QStringList got;
    for (const MountEntry& m : localDriveMounts(parseMounts(fixture(u"tree/proc/self/mounts"_s))))
        got << m.device + u' ' + m.mountPoint + u' ' + m.type;
    // Not the network shares, not FUSE (sshfs, ntfs-3g), not the snap image,
    // and the root file system once although Docker binds it again.
    QCOMPARE(got, (QStringList{u"/dev/sda1 / ext4"_s, u"/dev/nvme0n1p2 /home btrfs"_s,
                               u"/dev/sdc1 /mnt/dane zapas ext4"_s, u"/dev/sdb1 /media/jan/PENDRIVE vfat"_s}));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestProcFiles)
#include "tst_status_procfiles.moc"

#include "core/common/IniFile.h"
#include "core/status/StatusText.h"
#include "support/ProgramRun.h"

#include <QDirIterator>
#include <QTest>

namespace zorvex {

using namespace Qt::Literals::StringLiterals;
using test::ProgramRun;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        if (!QFile::copy(file, target))
            return false;
    }
    return true;
}

QByteArray netDev(quint64 received, quint64 sent)
{
    return "Inter-|   Receive                                                |  Transmit\n"
           " face |bytes    packets errs drop fifo frame compressed multicast|bytes    packets errs drop fifo colls "
           "carrier compressed\n"
           "    lo:   48000     600    0    0    0     0          0         0    48000     600    0    0    0     0  "
           "     0          0\n"
           "enp3s0: "
        + QByteArray::number(received) + "   70000    0    0    0     0          0       120  " + QByteArray::number(sent)
        + "   30000    0    0    0     0       0          0\n";
}

} // namespace

// The real program on a data folder, with the login records and /proc of
// recorded files, started and ended as a user would.
class TestStatusProgram : public QObject {
    Q_OBJECT

private slots:
    void runsAndTrafficReachTheirFiles();

private:
    QProcess* startProgram(ProgramRun& run);
    void endProgram(ProgramRun& run, QProcess* p);
    void counters(quint64 received, quint64 sent);

    QString m_sysroot;
};

QProcess* TestStatusProgram::startProgram(ProgramRun& run)
{
    qputenv("ZORVEX_WTMP", QByteArrayLiteral(ZORVEX_FIXTURES "/status/wtmp/runs.wtmp"));
    qputenv("ZORVEX_SYSROOT", m_sysroot.toLocal8Bit());
    qputenv("TZ", "UTC");
    QProcess* p = run.start();
    if (!run.waitForOutput(p, u"Ustawienia wczytane"_s))
        return nullptr;
    QTest::qWait(1500); // a sample or two
    return p;
}

void TestStatusProgram::endProgram(ProgramRun&, QProcess* p)
{
    p->terminate(); // the orderly shutdown
    QVERIFY(p->waitForFinished(15000));
}

void TestStatusProgram::counters(quint64 received, quint64 sent)
{
    QFile f(m_sysroot + u"/proc/net/dev"_s);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(netDev(received, sent));
    f.close();
    // The sampler reads once a second: every state is seen.
    QTest::qWait(3000);
}

void TestStatusProgram::runsAndTrafficReachTheirFiles()
{
    ProgramRun run;
    QVERIFY(run.valid());
    m_sysroot = run.outside(u"sysroot"_s);
    QVERIFY(copyTree(QStringLiteral(ZORVEX_FIXTURES "/status/tree"), m_sysroot));
    // The data files a start requires.
    for (const char* name : {"Imieniny.ini", "Sentencje.ini"}) {
        QFile f(run.dataFile(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[1]\r\n1=x\r\n");
    }

    QProcess* first = startProgram(run);
    QVERIFY(first);
    endProgram(run, first);
    const QByteArray czas = bytesOf(run.dataFile(u"Czas.ini"_s));
    QCOMPARE(czas,
             QByteArray("[Daty]\r\n1=10.03.2024\r\n2=11.03.2024\r\n3=12.03.2024\r\n4=13.03.2024\r\n5=14.03.2024\r\n\r\n"
                        "[10.03.2024]\r\n0=23399\r\n1=08:00:00|12:30:00\r\n2=22:00:00|23:59:59\r\n\r\n"
                        "[11.03.2024]\r\n0=7200\r\n1=00:00:00|02:00:00\r\n\r\n"
                        "[12.03.2024]\r\n0=39599\r\n1=13:00:00|23:59:59\r\n\r\n"
                        "[13.03.2024]\r\n0=86399\r\n1=00:00:00|23:59:59\r\n\r\n"
                        "[14.03.2024]\r\n0=3600\r\n1=00:00:00|01:00:00\r\n"));

    // The traffic statistic on, for the interface of the recorded tree.
    const QDir data(run.dataFolder());
    const QStringList profiles = data.entryList({u"Ustawienia_*.ini"_s}, QDir::Files);
    QCOMPARE(profiles.size(), 1);
    const QString settingsPath = data.filePath(profiles.first());
    IniFile ini = IniFile::load(settingsPath);
    ini.writeString(u"Siec"_s, u"Aktywna"_s, u"1"_s);
    ini.writeString(u"Siec"_s, u"MAC"_s, u"1C-1B-0D-AA-BB-CC"_s);
    QVERIFY(ini.save(settingsPath));

    counters(1000, 100);
    QProcess* second = startProgram(run);
    QVERIFY(second);
    counters(5000, 600);    // 4000 and 500 passed
    counters(300, 50);      // the interface restarted: nothing invented
    counters(2300, 150);    // 2000 and 100 more
    endProgram(run, second);

    // A second start leaves the runs as they were.
    QCOMPARE(bytesOf(run.dataFile(u"Czas.ini"_s)), czas);
    const QString today = statusDateText(QDateTime::currentDateTimeUtc().date());
    QCOMPARE(IniFile::load(run.dataFile(u"Siec.ini"_s)).readString(u"Siec"_s, today), u"6000|600"_s);
    // An orderly end leaves no autosave record behind.
    QVERIFY(data.entryList({u"Autozapis_*.ini"_s}, QDir::Files).isEmpty());
}

} // namespace zorvex

QTEST_MAIN(zorvex::TestStatusProgram)
#include "tst_status_program.moc"

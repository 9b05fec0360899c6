#include "StatusTestUtil.h"
#include "core/common/Clock.h"
#include "core/common/DataFile.h"
#include "core/status/UptimeFile.h"
#include "core/status/UptimeLog.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"
#include "support/FileFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

class TestUptime : public QObject {
    Q_OBJECT

private slots:
    void pairing_data();
    void pairing();
    void import_data();
    void import();
    void secondImportChangesNothing();
    void czasUnwritableKeepsRunList();
    void unreadableFileKeepsBoth_data();
    void unreadableFileKeepsBoth();
    void dayWithGapsKeepsItsLines();
    void pages();
    void emptyMonth();
    void liveTexts_data();
    void liveTexts();
    void newDayStartsTodaysTotal();
    void rates_data();
    void rates();
    void chartBars();
};

void TestUptime::pairing_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("crash"); // "start|end" of the autosave record, or empty
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<QString>("current");

    // The program started at 15.03.2024 10:00:00 in every row.
    QTest::newRow("start, end, start")
        << QStringList{u"S 10.03.2024 08:00:00"_s, u"E 10.03.2024 12:30:00"_s, u"S 15.03.2024 07:00:00"_s} << QString()
        << QStringList{u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s} << u"15.03.2024 07:00:00"_s;
    QTest::newRow("a leading end and a doubled end are dropped")
        << QStringList{u"E 09.03.2024 23:00:00"_s, u"S 10.03.2024 08:00:00"_s, u"E 10.03.2024 12:30:00"_s,
                       u"E 10.03.2024 12:31:00"_s, u"S 15.03.2024 07:00:00"_s}
        << QString() << QStringList{u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s} << u"15.03.2024 07:00:00"_s;
    QTest::newRow("a crash the autosave record knew ends at its write time")
        << QStringList{u"S 12.03.2024 09:00:00"_s, u"S 15.03.2024 07:00:00"_s}
        << u"12.03.2024 09:00:00|12.03.2024 11:45:00"_s << QStringList{u"12.03.2024 09:00:00|12.03.2024 11:45:00"_s}
        << u"15.03.2024 07:00:00"_s;
    QTest::newRow("a crash of another run gives nothing")
        << QStringList{u"S 12.03.2024 09:00:00"_s, u"S 15.03.2024 07:00:00"_s}
        << u"11.03.2024 09:00:00|11.03.2024 11:45:00"_s << QStringList{} << u"15.03.2024 07:00:00"_s;
    QTest::newRow("only the program crashed: the run still goes on")
        << QStringList{u"S 12.03.2024 09:00:00"_s, u"S 15.03.2024 07:00:00"_s}
        << u"15.03.2024 07:00:00|15.03.2024 09:30:00"_s << QStringList{} << u"15.03.2024 07:00:00"_s;
    QTest::newRow("no record: the program's start") << QStringList{} << QString() << QStringList{}
                                                    << u"15.03.2024 10:00:00"_s;
    QTest::newRow("last line an end: the program's start")
        << QStringList{u"S 10.03.2024 08:00:00"_s, u"E 10.03.2024 12:30:00"_s} << QString()
        << QStringList{u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s} << u"15.03.2024 10:00:00"_s;
}

void TestUptime::pairing()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, crash);
    QFETCH(QStringList, runs);
    QFETCH(QString, current);

    std::optional<InterruptedSession> interrupted;
    if (!crash.isEmpty())
        interrupted = InterruptedSession{at(crash.section(QLatin1Char('|'), 0, 0)), at(crash.section(QLatin1Char('|'), 1))};
    const UptimeReading r = pairUptimeEvents(events(lines), interrupted, at(QStringLiteral("15.03.2024 10:00:00")));
    QStringList got;
    for (const UptimeRun& run : r.runs)
        got << run.text();
    QCOMPARE(got, runs);
    QCOMPARE(statusDateTimeText(r.currentStart), current);
}

void TestUptime::import_data()
{
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<QByteArray>("before"); // Czas.ini before the import
    QTest::addColumn<QByteArray>("after");

    // Now is 15.03.2024 10:00:00 in every row.
    QTest::newRow("one run") << QStringList{u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s} << QByteArray()
                             << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=16200\n1=08:00:00|12:30:00\n");
    QTest::newRow("22:00 to 02:00 splits at midnight")
        << QStringList{u"10.03.2024 22:00:00|11.03.2024 02:00:00"_s} << QByteArray()
        << crlf("[Daty]\n1=10.03.2024\n2=11.03.2024\n\n[10.03.2024]\n0=7199\n1=22:00:00|23:59:59\n\n"
                "[11.03.2024]\n0=7200\n1=00:00:00|02:00:00\n");
    QTest::newRow("a whole day in between")
        << QStringList{u"12.03.2024 13:00:00|14.03.2024 01:00:00"_s} << QByteArray()
        << crlf("[Daty]\n1=12.03.2024\n2=13.03.2024\n3=14.03.2024\n\n[12.03.2024]\n0=39599\n1=13:00:00|23:59:59\n\n"
                "[13.03.2024]\n0=86399\n1=00:00:00|23:59:59\n\n[14.03.2024]\n0=3600\n1=00:00:00|01:00:00\n");
    QTest::newRow("ending at midnight adds nothing to the next day")
        << QStringList{u"10.03.2024 23:00:00|11.03.2024 00:00:00"_s} << QByteArray()
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=3599\n1=23:00:00|23:59:59\n");
    QTest::newRow("added to a day's runs")
        << QStringList{u"10.03.2024 14:00:00|10.03.2024 15:00:00"_s}
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=16200\n1=08:00:00|12:30:00\n")
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=19800\n1=08:00:00|12:30:00\n2=14:00:00|15:00:00\n");
    QTest::newRow("the same start time is not added again")
        << QStringList{u"10.03.2024 08:00:00|10.03.2024 09:00:00"_s}
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=16200\n1=08:00:00|12:30:00\n")
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=16200\n1=08:00:00|12:30:00\n");
    QTest::newRow("the day total stops at 86399")
        << QStringList{u"10.03.2024 14:00:00|10.03.2024 15:00:00"_s}
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=86000\n1=00:00:00|23:53:20\n")
        << crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=86399\n1=00:00:00|23:53:20\n2=14:00:00|15:00:00\n");
    QTest::newRow("runs not ending after their start, or not before now, are skipped")
        << QStringList{u"10.03.2024 12:00:00|10.03.2024 12:00:00"_s, u"10.03.2024 12:00:00|10.03.2024 11:00:00"_s,
                       u"15.03.2024 09:00:00|15.03.2024 11:00:00"_s, u"16.03.2024 09:00:00|16.03.2024 10:00:00"_s}
        << QByteArray() << QByteArray();
    QTest::newRow("a run of a year or more keeps only its first day")
        << QStringList{u"01.03.2023 12:00:00|02.03.2024 12:00:00"_s} << QByteArray()
        << crlf("[Daty]\n1=01.03.2023\n\n[01.03.2023]\n0=43199\n1=12:00:00|23:59:59\n");
}

void TestUptime::import()
{
    QFETCH(QStringList, runs);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    const QString czas2 = dir.filePath(QStringLiteral("Czas2.ini"));
    if (!before.isEmpty())
        QVERIFY(writeBytes(czas, before));
    uptimefile::importRuns(czas, czas2, test::runs(runs), at(QStringLiteral("15.03.2024 10:00:00")));
    QCOMPARE(QString::fromLatin1(after.isEmpty() ? QByteArray("<missing>") : after),
             QString::fromLatin1(bytesOf(czas)));
}

void TestUptime::secondImportChangesNothing()
{
    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    const QString czas2 = dir.filePath(QStringLiteral("Czas2.ini"));
    const auto log = runs({u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s, u"10.03.2024 22:00:00|11.03.2024 02:00:00"_s});
    const QDateTime now = at(QStringLiteral("15.03.2024 10:00:00"));

    auto first = uptimefile::importRuns(czas, czas2, log, now);
    QCOMPARE(first.added, 3);
    QCOMPARE(bytesOf(czas2), crlf("10.03.2024 08:00:00|10.03.2024 12:30:00\n"
                                  "10.03.2024 22:00:00|11.03.2024 02:00:00\n"));
    const QByteArray czasBytes = bytesOf(czas);
    const QByteArray czas2Bytes = bytesOf(czas2);

    // The next start reads the same record: nothing is added or rewritten.
    auto second = uptimefile::importRuns(czas, czas2, log, now.addDays(1));
    QCOMPARE(second.added, 0);
    QVERIFY(!second.czasWritten);
    QVERIFY(!second.czas2Written);
    QCOMPARE(bytesOf(czas), czasBytes);
    QCOMPARE(bytesOf(czas2), czas2Bytes);

    // Without "Czas2.ini" the same start times still keep the runs out.
    QVERIFY(QFile::remove(czas2));
    auto third = uptimefile::importRuns(czas, czas2, log, now.addDays(1));
    QCOMPARE(third.added, 0);
    QCOMPARE(bytesOf(czas), czasBytes);
    QCOMPARE(bytesOf(czas2), czas2Bytes);
}

void TestUptime::czasUnwritableKeepsRunList()
{
    QTemporaryDir dir;
    // A folder where "Czas.ini" should be: the file cannot be written.
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    QVERIFY(QDir().mkpath(czas));
    const QString czas2 = dir.filePath(QStringLiteral("Czas2.ini"));
    const auto r = uptimefile::importRuns(czas, czas2, runs({u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s}),
                                          at(QStringLiteral("15.03.2024 10:00:00")));
    QVERIFY(r.failed);
    // Marked as seen it would never reach "Czas.ini".
    QVERIFY(!QFile::exists(czas2));
}

// A file too large to read stands for any that is there but cannot be read
// whole: written from what was read, "Czas.ini" would lose its days and an
// empty run list would count every run again.
void TestUptime::unreadableFileKeepsBoth_data()
{
    QTest::addColumn<QString>("unreadable");
    QTest::newRow("Czas.ini") << QStringLiteral("Czas.ini");
    QTest::newRow("Czas2.ini") << QStringLiteral("Czas2.ini");
}

void TestUptime::unreadableFileKeepsBoth()
{
    QFETCH(QString, unreadable);
    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    const QString czas2 = dir.filePath(QStringLiteral("Czas2.ini"));
    const QByteArray days = crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=16200\n1=08:00:00|12:30:00\n");
    const QByteArray list = crlf("10.03.2024 08:00:00|10.03.2024 12:30:00\n");
    QVERIFY(writeBytes(czas, days));
    QVERIFY(writeBytes(czas2, list));
    QVERIFY(test::makeSparseFile(dir.filePath(unreadable), kMaxDataFileSize + 1));
    const auto r = uptimefile::importRuns(
        czas, czas2, runs({u"10.03.2024 08:00:00|10.03.2024 12:30:00"_s, u"11.03.2024 09:00:00|11.03.2024 10:00:00"_s}),
        at(QStringLiteral("15.03.2024 10:00:00")));
    QVERIFY(r.failed);
    QCOMPARE(r.added, 0);
    QCOMPARE(QFileInfo(dir.filePath(unreadable)).size(), kMaxDataFileSize + 1);
    if (unreadable != QLatin1String("Czas.ini"))
        QCOMPARE(bytesOf(czas), days);
    if (unreadable != QLatin1String("Czas2.ini"))
        QCOMPARE(bytesOf(czas2), list);
}

void TestUptime::dayWithGapsKeepsItsLines()
{
    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    QVERIFY(writeBytes(czas, crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=7200\n1=08:00:00|09:00:00\n"
                                  "3=10:00:00|11:00:00\n")));
    uptimefile::importRuns(czas, dir.filePath(QStringLiteral("Czas2.ini")),
                           runs({u"10.03.2024 12:00:00|10.03.2024 13:00:00"_s}), at(QStringLiteral("15.03.2024 10:00:00")));
    QCOMPARE(bytesOf(czas), crlf("[Daty]\n1=10.03.2024\n\n[10.03.2024]\n0=10800\n1=08:00:00|09:00:00\n"
                                 "3=10:00:00|11:00:00\n4=12:00:00|13:00:00\n"));
}

void TestUptime::pages()
{
    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    QVERIFY(writeBytes(czas, crlf("[Daty]\n1=10.03.2024\n2=32.03.2024\n3=02.02.2024\n4=11.03.2024\n5=10.03.2024\n"
                                  "[10.03.2024]\n0=23399\n1=08:00:00|12:30:00\n2=22:00:00|23:59:59\n3=zepsute\n"
                                  "[11.03.2024]\n0=7200\n1=00:00:00|02:00:00\n"
                                  "[02.02.2024]\n0=3600\n1=10:00:00|11:00:00\n")));
    FakeClock clock(at(QStringLiteral("11.03.2024 12:00:00")));
    FakeUptimeRecordSource source;
    UptimeLog log(clock, source, czas, dir.filePath(QStringLiteral("Czas2.ini")));
    log.loadDays();

    QCOMPARE(log.dayLines(), (QStringList{u"11.03.2024 = 02:00:00"_s, u"10.03.2024 = 06:29:59"_s, u"02.02.2024 = 01:00:00"_s}));
    QCOMPARE(log.runLines(QDate(2024, 3, 10)),
             (QStringList{u"1. 08:00:00 - 12:30:00 = 04:30:00"_s, u"2. 22:00:00 - 23:59:59 = 01:59:59"_s}));

    const UptimeLog::Month m = log.month(2024, 3);
    QCOMPARE(m.lines, (QStringList{u"11.03.2024 = 02:00:00"_s, u"10.03.2024 = 06:29:59"_s}));
    QCOMPARE(m.totalText, QStringLiteral("Razem: 08 godz. 29 min. 59 sek."));
    // 30599 / 2 = 15299.5, rounded up.
    QCOMPARE(m.averageText, QStringLiteral("Średnio: 04 godz. 15 min. 00 sek."));
    QCOMPARE(uptimecost::costText(0.1847, m.total, 0.3), QStringLiteral("Razem: 0,47 zł"));

    QCOMPARE(log.chartHint(QDate(2024, 3, 10)).value_or(QString()),
             QStringLiteral("Dzień: niedziela 10.03.2024\rCzas zsumowany: 06:29:59"));
    QVERIFY(!log.chartHint(QDate(2024, 3, 12)));
}

void TestUptime::emptyMonth()
{
    QTemporaryDir dir;
    FakeClock clock(at(QStringLiteral("11.03.2024 12:00:00")));
    FakeUptimeRecordSource source;
    UptimeLog log(clock, source, dir.filePath(QStringLiteral("Czas.ini")), dir.filePath(QStringLiteral("Czas2.ini")));
    log.loadDays();
    const UptimeLog::Month m = log.month(2024, 3);
    QVERIFY(m.lines.isEmpty());
    QCOMPARE(m.totalText, QStringLiteral("Razem: 00 godz. 00 min. 00 sek."));
    QCOMPARE(m.averageText, QStringLiteral("Średnio: 00 godz. 00 min. 00 sek."));
    QCOMPARE(uptimecost::costText(0.1847, m.total, 0.3), QStringLiteral("Razem: 0,00 zł"));
    // 200 hours at 0.3 kW and 0.1847 zł.
    QCOMPARE(uptimecost::costText(0.1847, 720000, 0.3), QStringLiteral("Razem: 11,08 zł"));
}

void TestUptime::liveTexts_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("now");
    QTest::addColumn<QString>("run");
    QTest::addColumn<QString>("today"); // today's stored total is 01:00:00

    QTest::newRow("an hour") << u"11.03.2024 10:00:00"_s << u"11.03.2024 11:00:00"_s << u"01:00:00"_s << u"02:00:00"_s;
    QTest::newRow("exactly a day") << u"10.03.2024 11:00:00"_s << u"11.03.2024 11:00:00"_s << u"24:00:00"_s << u"12:00:00"_s;
    QTest::newRow("over a day") << u"10.03.2024 09:58:59"_s << u"11.03.2024 11:00:00"_s << u"1d. 01:01:01"_s << u"12:00:00"_s;
    QTest::newRow("several days") << u"01.03.2024 11:00:00"_s << u"11.03.2024 11:00:05"_s << u"10d. 00:00:05"_s
                                  << u"12:00:05"_s;
}

void TestUptime::liveTexts()
{
    QFETCH(QString, start);
    QFETCH(QString, now);
    QFETCH(QString, run);
    QFETCH(QString, today);

    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    QVERIFY(writeBytes(czas, crlf("[Daty]\n1=11.03.2024\n[11.03.2024]\n0=3600\n1=05:00:00|06:00:00\n")));
    FakeClock clock(at(now));
    FakeUptimeRecordSource source;
    source.events = events({QStringLiteral("S ") + start});
    UptimeLog log(clock, source, czas, dir.filePath(QStringLiteral("Czas2.ini")));
    log.importRuns();
    QCOMPARE(log.currentRunText(), run);
    QCOMPARE(log.todayText(), today);
    QCOMPARE(log.liveLabel(), QStringLiteral("System aktualnie uruchomiony jest przez: ") + run
                                  + QStringLiteral(", a dzisiaj: ") + today);
}

void TestUptime::newDayStartsTodaysTotal()
{
    QTemporaryDir dir;
    const QString czas = dir.filePath(u"Czas.ini"_s);
    QVERIFY(writeBytes(czas, crlf("[Daty]\n1=10.03.2024\n[10.03.2024]\n0=3600\n1=05:00:00|06:00:00\n")));
    FakeClock clock(at(u"10.03.2024 23:00:00"_s));
    FakeUptimeRecordSource source;
    source.events = events({u"S 10.03.2024 22:00:00"_s});
    UptimeLog log(clock, source, czas, dir.filePath(u"Czas2.ini"_s));
    log.importRuns();
    QCOMPARE(log.todayText(), u"02:00:00"_s);
    // After midnight today holds only the current run's share since 00:00.
    clock.set(at(u"11.03.2024 00:30:00"_s));
    log.startDay();
    QCOMPARE(log.todayText(), u"00:30:00"_s);
    QCOMPARE(log.currentRunText(), u"02:30:00"_s);
}

void TestUptime::rates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<double>("value");

    QTest::newRow("comma") << u"0,1847"_s << true << 0.1847;
    QTest::newRow("point") << u"0.3"_s << true << 0.3;
    QTest::newRow("blanks around") << u" 2 "_s << true << 2.0;
    QTest::newRow("letters") << u"abc"_s << false << 0.0;
    QTest::newRow("empty") << u""_s << false << 0.0;
    QTest::newRow("two separators") << u"1,2.3"_s << false << 0.0;
}

void TestUptime::rates()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(double, value);
    const auto r = uptimecost::parseRate(text);
    QCOMPARE(r.has_value(), valid);
    if (valid)
        QCOMPARE(*r, value);
    else
        QCOMPARE(uptimecost::badInputMessage(text), QStringLiteral("Błędne dane: ") + text);
    QCOMPARE(uptimecost::defaultPriceText(), QStringLiteral("0,1847"));
    QCOMPARE(uptimecost::defaultPowerText(), QStringLiteral("0,300"));
}

void TestUptime::chartBars()
{
    QTemporaryDir dir;
    const QString czas = dir.filePath(QStringLiteral("Czas.ini"));
    QVERIFY(writeBytes(czas, crlf("[Daty]\n1=10.03.2024\n[10.03.2024]\n0=61200\n1=02:00:00|12:00:00\n"
                                  "2=14:00:00|23:59:59\n")));
    FakeClock clock(at(QStringLiteral("11.03.2024 12:00:00")));
    FakeUptimeRecordSource source;
    source.events = events({QStringLiteral("S 11.03.2024 08:00:00")});
    UptimeLog log(clock, source, czas, dir.filePath(QStringLiteral("Czas2.ini")));
    log.importRuns();

    auto text = [](const std::vector<UptimeLog::Bar>& bars) {
        QStringList out;
        for (const auto& b : bars)
            out << QStringLiteral("%1:%2-%3").arg(b.day).arg(b.bottom).arg(b.top);
        return out;
    };
    // 9 pixels an hour; today's bar runs from the current run's start to now.
    QCOMPARE(text(log.chartBars(2024, 3, UptimeLog::ChartKind::Ranges)),
             (QStringList{u"10:18-108"_s, u"10:126-216"_s, u"11:72-108"_s}));
    // The summed chart stacks the day's runs and stops at a full day.
    QCOMPARE(text(log.chartBars(2024, 3, UptimeLog::ChartKind::Summed)), (QStringList{u"10:0-90"_s, u"10:0-180"_s}));
    QVERIFY(log.chartBars(2024, 2, UptimeLog::ChartKind::Ranges).empty());
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestUptime)
#include "tst_status_uptime.moc"

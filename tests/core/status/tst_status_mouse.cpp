#include "StatusTestUtil.h"
#include "core/common/Clock.h"
#include "core/status/MouseDistance.h"
#include "core/status/MouseOdometer.h"
#include "support/FakeClock.h"
#include "support/FakeStatusSources.h"

#include <QTemporaryDir>
#include <QTest>

namespace zorvex {

using namespace test;
using namespace Qt::Literals::StringLiterals;

class TestMouse : public QObject {
    Q_OBJECT

private slots:
    void distanceTexts_data();
    void distanceTexts();
    void sampling_data();
    void sampling();
    void dayCommits();
    void storedValues_data();
    void storedValues();
    void pages();
    void noDays();
};

void TestMouse::distanceTexts_data()
{
    QTest::addColumn<qint64>("pixels");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("compact");

    QTest::newRow("nothing") << qint64(0) << u"0 km 000 m 00 cm 0 mm"_s << u"         00cm 0mm"_s;
    QTest::newRow("1000 pixels are 20 cm") << qint64(1000) << u"0 km 000 m 20 cm 0 mm"_s << u"         20cm 0mm"_s;
    QTest::newRow("7 pixels are 1.4 mm") << qint64(7) << u"0 km 000 m 00 cm 1 mm"_s << u"         00cm 1mm"_s;
    QTest::newRow("one metre") << qint64(5000) << u"0 km 001 m 00 cm 0 mm"_s << u"      1m 00cm 0mm"_s;
    QTest::newRow("one kilometre") << qint64(5000000) << u"1 km 000 m 00 cm 0 mm"_s << u"1km   0m 00cm 0mm"_s;
    QTest::newRow("every unit") << qint64(123456789) << u"24 km 691 m 35 cm 7 mm"_s << u"24km 691m 35cm 7mm"_s;
    QTest::newRow("past 32 bits") << qint64(3000000000LL) << u"600 km 000 m 00 cm 0 mm"_s << u"600km   0m 00cm 0mm"_s;
}

void TestMouse::distanceTexts()
{
    QFETCH(qint64, pixels);
    QFETCH(QString, label);
    QFETCH(QString, compact);
    QCOMPARE(mouseLabel(pixels), label);
    QCOMPARE(mouseCompact(pixels), compact);
}

void TestMouse::sampling_data()
{
    QTest::addColumn<QStringList>("positions"); // "x,y", or "-" while the pointer cannot be read
    QTest::addColumn<qint64>("travel");

    QTest::newRow("1000 pixels right") << QStringList{u"0,0"_s, u"1000,0"_s} << qint64(1000);
    QTest::newRow("starting away from the origin adds nothing") << QStringList{u"800,600"_s} << qint64(0);
    QTest::newRow("a monitor left of the primary one")
        << QStringList{u"-1500,300"_s, u"-1400,350"_s, u"-1600,350"_s} << qint64(350);
    QTest::newRow("a monitor above") << QStringList{u"200,-900"_s, u"200,-1000"_s} << qint64(100);
    QTest::newRow("across the origin") << QStringList{u"-10,5"_s, u"10,-5"_s} << qint64(30);
    QTest::newRow("the jump while the pointer was lost is not counted")
        << QStringList{u"0,0"_s, u"-"_s, u"500,0"_s, u"510,0"_s} << qint64(10);
}

void TestMouse::sampling()
{
    QFETCH(QStringList, positions);
    QFETCH(qint64, travel);

    QTemporaryDir dir;
    FakeClock clock;
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, dir.filePath(u"Ruch.ini"_s));
    auto place = [&](const QString& p) {
        pointer.isAvailable = p != u"-"_s;
        pointer.at = QPoint(p.section(u',', 0, 0).toInt(), p.section(u',', 1).toInt());
    };
    place(positions.first());
    odometer.begin();
    for (const QString& p : positions) {
        place(p);
        odometer.sample();
    }
    QCOMPARE(odometer.travel(), travel);
}

void TestMouse::dayCommits()
{
    QTemporaryDir dir;
    const QString ruch = dir.filePath(u"Ruch.ini"_s);
    QVERIFY(writeBytes(ruch, crlf("[Vuzuvured]\nBlokuj=1\n[Ruch]\n10.03.2024=4000000000\n")));
    FakeClock clock(at(u"10.03.2024 23:59:00"_s));
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, ruch);
    odometer.begin();
    pointer.at = QPoint(1000, 0);
    odometer.sample();

    // The computer slept over midnight and woke at 08:00: the day change
    // commits under the remembered date, not the clock's.
    clock.set(at(u"11.03.2024 08:00:00"_s));
    odometer.commitDay(QDate(2024, 3, 10));
    QCOMPARE(odometer.travel(), qint64(0));
    pointer.at = QPoint(1000, 250);
    odometer.sample();
    // The orderly shutdown commits today's.
    odometer.commitDay(clock.now().date());
    // Nothing more travelled: nothing more written.
    odometer.commitDay(clock.now().date());
    QCOMPARE(bytesOf(ruch), crlf("[Vuzuvured]\nBlokuj=1\n[Ruch]\n10.03.2024=4000001000\n11.03.2024=250\n"));
}

void TestMouse::storedValues_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("not a number counts as 0") << QByteArray("abc") << QByteArray("100");
    QTest::newRow("negative counts as 0") << QByteArray("-5") << QByteArray("100");
    QTest::newRow("added") << QByteArray("23") << QByteArray("123");
}

void TestMouse::storedValues()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString ruch = dir.filePath(u"Ruch.ini"_s);
    QVERIFY(writeBytes(ruch, "[Ruch]\r\n10.03.2024=" + stored + "\r\n"));
    FakeClock clock(at(u"10.03.2024 12:00:00"_s));
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, ruch);
    odometer.addToDay(QDate(2024, 3, 10), 100);
    QCOMPARE(bytesOf(ruch), "[Ruch]\r\n10.03.2024=" + after + "\r\n");
}

void TestMouse::pages()
{
    QTemporaryDir dir;
    const QString ruch = dir.filePath(u"Ruch.ini"_s);
    QVERIFY(writeBytes(ruch, crlf("[Ruch]\n11.03.2024=5000\n31.12.1999=77\n02.03.2024=5000000\n12.03.2024=9\n"
                                  "dzisiaj=5\n01.03.2024=1000\n")));
    FakeClock clock(at(u"11.03.2024 12:00:00"_s));
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, ruch);
    odometer.loadDays();
    odometer.begin();
    pointer.at = QPoint(0, 1000);
    odometer.sample();

    // Days before 2000 and after today are not listed; the list runs by date.
    QCOMPARE(odometer.dayLines(), (QStringList{u" 01.03.2024 -          20cm 0mm"_s, u" 02.03.2024 - 1km   0m 00cm 0mm"_s,
                                               u" 11.03.2024 -       1m 00cm 0mm"_s}));
    QVERIFY(odometer.extremesShown());
    QCOMPARE(odometer.largestText(), u"Największa odległość w dniu 02.03.2024: 1 km 000 m 00 cm 0 mm"_s);
    QCOMPARE(odometer.smallestText(), u"Najmniejsza odległość w dniu 01.03.2024: 0 km 000 m 20 cm 0 mm"_s);
    QCOMPARE(odometer.currentText(), u"Aktualnie uruchomionego systemu: 0 km 000 m 20 cm 0 mm"_s);
    QCOMPARE(odometer.totalText(), u"Łącznie od dnia 01.03.2024 do dzisiejszego: 1 km 001 m 40 cm 0 mm"_s);

    const MouseOdometer::Month m = odometer.month(2024, 3);
    QCOMPARE(m.lines.size(), 3);
    QCOMPARE(m.totalText, u"Razem: 1 km 001 m 20 cm 0 mm"_s);
    // 5006000 / 3 = 1668666.67 pixels, rounded up.
    QCOMPARE(m.averageText, u"Średnio: 0 km 333 m 73 cm 3 mm"_s);
    QCOMPARE(m.largest, qint64(5000000));
    // (24 - i) / 24 of 1000 metres for i = 2, 4 ... 22.
    QCOMPARE(QStringList(m.axis.begin(), m.axis.end()),
             (QStringList{u"917"_s, u"833"_s, u"750"_s, u"667"_s, u"583"_s, u"500"_s, u"417"_s, u"333"_s, u"250"_s,
                          u"167"_s, u"83"_s}));
    QCOMPARE(odometer.chartHint(QDate(2024, 3, 2)), u"Dzień: sobota 2.03.2024\rRuch: 1km   0m 00cm 0mm"_s);
    QCOMPARE(odometer.chartHint(QDate(2024, 3, 5)), u"Dzień: wtorek 5.03.2024\rRuch: 0km 0m 0cm 0mm"_s);
}

void TestMouse::noDays()
{
    QTemporaryDir dir;
    FakeClock clock(at(u"11.03.2024 12:00:00"_s));
    FakePointerSource pointer;
    MouseOdometer odometer(clock, pointer, dir.filePath(u"Ruch.ini"_s));
    odometer.loadDays();
    QVERIFY(!odometer.extremesShown());
    QCOMPARE(odometer.largestText(), u"Największa odległość w dniu 11.03.2024: 0 km 000 m 00 cm 0 mm"_s);
    QCOMPARE(odometer.totalText(), u"Łącznie od dnia 11.03.2024 do dzisiejszego: 0 km 000 m 00 cm 0 mm"_s);
    const MouseOdometer::Month m = odometer.month(2024, 3);
    QCOMPARE(m.averageText, u"Średnio: 0 km 000 m 00 cm 0 mm"_s);
    QCOMPARE(m.largest, qint64(0));

    // Where the pointer cannot be seen (Wayland) nothing is counted.
    pointer.isAvailable = false;
    QVERIFY(!odometer.available());
    odometer.begin();
    pointer.at = QPoint(500, 500);
    odometer.sample();
    QCOMPARE(odometer.travel(), qint64(0));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestMouse)
#include "tst_status_mouse.moc"

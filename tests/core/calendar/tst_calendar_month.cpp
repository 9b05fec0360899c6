#include "core/calendar/Gregorian.h"
#include "core/calendar/GridGeometry.h"
#include "core/calendar/MonthModel.h"
#include "core/calendar/PolishNames.h"
#include "core/common/Clock.h"
#include "support/FakeClock.h"

#include <QTest>

namespace zorvex {

class TestCalendarMonth : public QObject {
    Q_OBJECT

private slots:
    void daysInMonth_data();
    void daysInMonth();
    void layout_data();
    void layout();
    void everyDayMapsToItsCellAndBack();
    void cellText();
    void ignoredWrites_data();
    void ignoredWrites();
    void acceptedWriteClearsCurrentDateAndReports();
    void yearOrMonthChangeKeepsDayValid_data();
    void yearOrMonthChangeKeepsDayValid();
    void monthStep_data();
    void monthStep();
    void stepsStopAtTheLimits_data();
    void stepsStopAtTheLimits();
    void goToMonthAndToday();
    void hitTest_data();
    void hitTest();
    void selectCell();
    void dayColours();
    void menuCaptionDate_data();
    void menuCaptionDate();
};

namespace {

FakeClock clockAt(const QDate& d)
{
    return FakeClock(QDateTime(d, QTime(12, 0)));
}

} // namespace

void TestCalendarMonth::daysInMonth_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");

    QTest::newRow("February 1900, century") << 1900 << 2 << 28;
    QTest::newRow("February 2000, fourth century") << 2000 << 2 << 29;
    QTest::newRow("February 2100") << 2100 << 2 << 28;
    QTest::newRow("February 2024") << 2024 << 2 << 29;
    QTest::newRow("February 2025") << 2025 << 2 << 28;
    // The Gregorian rule holds before 1583 too.
    QTest::newRow("February 1500") << 1500 << 2 << 28;
    QTest::newRow("February 4") << 4 << 2 << 29;
    QTest::newRow("April") << 2025 << 4 << 30;
    QTest::newRow("December 9999") << 9999 << 12 << 31;
    QTest::newRow("month 0") << 2025 << 0 << 0;
    QTest::newRow("month 13") << 2025 << 13 << 0;
}

void TestCalendarMonth::daysInMonth()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QCOMPARE(zorvex::daysInMonth(year, month), days);
}

void TestCalendarMonth::layout_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("firstColumn");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<int>("lastRow");

    // One month beginning on each weekday; weeks start on Monday.
    QTest::newRow("Monday, September 2025") << QDate(2025, 9, 10) << 1 << 0 << 1 << 5;
    QTest::newRow("Tuesday, July 2025") << QDate(2025, 7, 10) << 0 << 1 << 3 << 5;
    QTest::newRow("Wednesday, October 2025") << QDate(2025, 10, 10) << -1 << 2 << 4 << 5;
    QTest::newRow("Thursday, May 2025") << QDate(2025, 5, 10) << -2 << 3 << 5 << 5;
    QTest::newRow("Friday, August 2025") << QDate(2025, 8, 10) << -3 << 4 << 6 << 5;
    QTest::newRow("Saturday, February 2025") << QDate(2025, 2, 10) << -4 << 5 << 4 << 5;
    // Day 1 in the last column of row 1; a 30-day month needs six rows.
    QTest::newRow("Sunday, June 2025") << QDate(2025, 6, 10) << -5 << 6 << 0 << 6;
    QTest::newRow("Sunday, 28 days, February 2026") << QDate(2026, 2, 10) << -5 << 6 << 5 << 5;
    QTest::newRow("Monday, 28 days, February 2021") << QDate(2021, 2, 10) << 1 << 0 << 6 << 4;
    QTest::newRow("January of year 1 (Monday)") << QDate(1, 1, 1) << 1 << 0 << 2 << 5;
    QTest::newRow("December 9999 (Wednesday)") << QDate(9999, 12, 31) << -1 << 2 << 4 << 5;
}

void TestCalendarMonth::layout()
{
    QFETCH(QDate, date);
    QFETCH(int, offset);
    QFETCH(int, firstColumn);
    QFETCH(int, lastColumn);
    QFETCH(int, lastRow);

    const FakeClock clock = clockAt(date);
    MonthModel m(clock);
    QCOMPARE(m.monthOffset(), offset);
    QCOMPARE(m.cellOfDay(1), (GridCell{firstColumn, 1}));
    QCOMPARE(m.cellOfDay(m.daysInCurrentMonth()), (GridCell{lastColumn, lastRow}));
    QCOMPARE(m.weekRows(), lastRow);
    QCOMPARE(m.dayAt(lastColumn, lastRow), m.daysInCurrentMonth());
    QCOMPARE(m.currentCell(), m.cellOfDay(date.day()));
}

void TestCalendarMonth::everyDayMapsToItsCellAndBack()
{
    FakeClock clock = clockAt(QDate(2024, 1, 1));
    MonthModel m(clock);
    // Every month of a leap and a common year, weeks from Monday and from
    // Sunday: each day sits in exactly one week cell and every other cell is
    // empty.
    for (int sow : {1, 0}) {
        m.setStartOfWeek(sow);
        for (int year : {2024, 2025}) {
            for (int month = 1; month <= 12; ++month) {
                m.setDate(QDate(year, month, 1));
                int shown = 0;
                for (int row = 1; row < 7; ++row) {
                    for (int col = 0; col < 7; ++col) {
                        const int d = m.dayAt(col, row);
                        if (d == 0)
                            continue;
                        ++shown;
                        QCOMPARE(m.cellOfDay(d), (GridCell{col, row}));
                    }
                }
                QCOMPARE(shown, m.daysInCurrentMonth());
                const QDate first(year, month, 1);
                QCOMPARE(m.cellOfDay(1).column, (first.dayOfWeek() % 7 - sow + 7) % 7);
            }
        }
    }
    QCOMPARE(m.dayAt(0, 0), 0);
    QCOMPARE(m.dayAt(7, 1), 0);
    QCOMPARE(m.dayAt(0, 7), 0);
    QVERIFY(!m.cellOfDay(0).isValid());
    QVERIFY(!m.cellOfDay(32).isValid());
}

void TestCalendarMonth::cellText()
{
    const FakeClock clock = clockAt(QDate(2025, 6, 15));
    MonthModel m(clock);
    // The header uses the Polish names whatever the system locale is.
    QCOMPARE(m.cellText(0, 0), QStringLiteral("pon."));
    QCOMPARE(m.cellText(6, 0), QStringLiteral("niedz."));
    QCOMPARE(m.cellText(6, 1), QStringLiteral("1"));
    QCOMPARE(m.cellText(0, 1), QString());
    QCOMPARE(m.cellText(0, 6), QStringLiteral("30"));
    QCOMPARE(m.cellText(1, 6), QString());
    m.setStartOfWeek(0);
    QCOMPARE(m.cellText(0, 0), QStringLiteral("niedz."));
    QCOMPARE(m.cellText(0, 1), QStringLiteral("1"));

    // Captions name the month itself, not its genitive.
    QCOMPARE(polishMonthName(10), QStringLiteral("październik"));
    QCOMPARE(polishMonthName(1, true), QStringLiteral("sty"));
    QCOMPARE(polishMonthName(13), QString());
}

void TestCalendarMonth::ignoredWrites_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<char>("part");
    QTest::addColumn<int>("value");

    QTest::newRow("day 31 in April") << QDate(2025, 4, 10) << 'd' << 31;
    QTest::newRow("day 29 in February 2025") << QDate(2025, 2, 10) << 'd' << 29;
    QTest::newRow("day 0") << QDate(2025, 4, 10) << 'd' << 0;
    QTest::newRow("same day") << QDate(2025, 4, 10) << 'd' << 10;
    QTest::newRow("month 13") << QDate(2025, 4, 10) << 'm' << 13;
    QTest::newRow("month 0") << QDate(2025, 4, 10) << 'm' << 0;
    QTest::newRow("same month") << QDate(2025, 4, 10) << 'm' << 4;
    QTest::newRow("year 0") << QDate(2025, 4, 10) << 'y' << 0;
    QTest::newRow("negative year") << QDate(2025, 4, 10) << 'y' << -5;
    QTest::newRow("year 10000") << QDate(2025, 4, 10) << 'y' << 10000;
    QTest::newRow("same year") << QDate(2025, 4, 10) << 'y' << 2025;
}

void TestCalendarMonth::ignoredWrites()
{
    QFETCH(QDate, start);
    QFETCH(char, part);
    QFETCH(int, value);

    const FakeClock clock = clockAt(start);
    MonthModel m(clock);
    int changes = 0;
    m.setOnChange([&] { ++changes; });
    const bool changed = part == 'd' ? m.setDay(value) : part == 'm' ? m.setMonth(value) : m.setYear(value);
    QVERIFY(!changed);
    QCOMPARE(m.date(), start);
    QCOMPARE(changes, 0);
    QVERIFY(m.useCurrentDate());
}

void TestCalendarMonth::acceptedWriteClearsCurrentDateAndReports()
{
    FakeClock clock = clockAt(QDate(2025, 4, 10));
    MonthModel m(clock);
    int changes = 0;
    m.setOnChange([&] { ++changes; });
    QVERIFY(m.setDay(30));
    QCOMPARE(m.date(), QDate(2025, 4, 30));
    QCOMPARE(changes, 1);
    QVERIFY(!m.useCurrentDate());
    QCOMPARE(m.currentCell(), m.cellOfDay(30));

    clock.set(QDateTime(QDate(2025, 5, 2), QTime(9, 0)));
    m.setUseCurrentDate(true);
    QCOMPARE(m.date(), QDate(2025, 5, 2));
    QCOMPARE(m.monthOffset(), -2);
}

void TestCalendarMonth::yearOrMonthChangeKeepsDayValid_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<char>("part");
    QTest::addColumn<int>("value");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("31 January to February") << QDate(2025, 1, 31) << 'm' << 2 << QDate(2025, 2, 28);
    QTest::newRow("31 March to April") << QDate(2025, 3, 31) << 'm' << 4 << QDate(2025, 4, 30);
    QTest::newRow("29 February to a common year") << QDate(2024, 2, 29) << 'y' << 2025 << QDate(2025, 2, 28);
    QTest::newRow("29 February to a leap year") << QDate(2024, 2, 29) << 'y' << 2028 << QDate(2028, 2, 29);
    QTest::newRow("15 May to September") << QDate(2025, 5, 15) << 'm' << 9 << QDate(2025, 9, 15);
    QTest::newRow("year 9999") << QDate(2025, 5, 15) << 'y' << 9999 << QDate(9999, 5, 15);
}

void TestCalendarMonth::yearOrMonthChangeKeepsDayValid()
{
    QFETCH(QDate, start);
    QFETCH(char, part);
    QFETCH(int, value);
    QFETCH(QDate, expected);

    const FakeClock clock = clockAt(start);
    MonthModel m(clock);
    QVERIFY(part == 'm' ? m.setMonth(value) : m.setYear(value));
    QCOMPARE(m.date(), expected);
    QVERIFY(m.date().isValid());
}

void TestCalendarMonth::monthStep_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("31 October, next") << QDate(2025, 10, 31) << 1 << QDate(2025, 11, 30);
    QTest::newRow("30 January of a leap year, next") << QDate(2024, 1, 30) << 1 << QDate(2024, 2, 29);
    QTest::newRow("31 January, next") << QDate(2025, 1, 31) << 1 << QDate(2025, 2, 28);
    QTest::newRow("15 March, previous") << QDate(2025, 3, 15) << -1 << QDate(2025, 2, 15);
    QTest::newRow("31 March, previous") << QDate(2025, 3, 31) << -1 << QDate(2025, 2, 28);
    QTest::newRow("28 February, next keeps 28") << QDate(2025, 2, 28) << 1 << QDate(2025, 3, 28);
    QTest::newRow("31 December, next year") << QDate(2025, 12, 31) << 1 << QDate(2026, 1, 31);
    QTest::newRow("15 January, previous year") << QDate(2026, 1, 15) << -1 << QDate(2025, 12, 15);
}

void TestCalendarMonth::monthStep()
{
    QFETCH(QDate, start);
    QFETCH(int, step);
    QFETCH(QDate, expected);

    const FakeClock clock = clockAt(start);
    MonthModel m(clock);
    int changes = 0;
    m.setOnChange([&] { ++changes; });
    QVERIFY(step > 0 ? m.nextMonth() : m.previousMonth());
    QCOMPARE(m.date(), expected);
    QCOMPARE(changes, 1);
}

void TestCalendarMonth::stepsStopAtTheLimits_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("December 9999, next") << QDate(9999, 12, 1) << 1 << QDate(9999, 12, 1);
    QTest::newRow("31 December 9999, next") << QDate(9999, 12, 31) << 1 << QDate(9999, 12, 31);
    QTest::newRow("November 9999, next") << QDate(9999, 11, 30) << 1 << QDate(9999, 12, 30);
    QTest::newRow("1 January 0001, previous") << QDate(1, 1, 1) << -1 << QDate(1, 1, 1);
    // A later day of January 0001 must not step into a year 0.
    QTest::newRow("15 January 0001, previous") << QDate(1, 1, 15) << -1 << QDate(1, 1, 15);
    QTest::newRow("February 0001, previous") << QDate(1, 2, 20) << -1 << QDate(1, 1, 20);
}

void TestCalendarMonth::stepsStopAtTheLimits()
{
    QFETCH(QDate, start);
    QFETCH(int, step);
    QFETCH(QDate, expected);

    const FakeClock clock = clockAt(QDate(2025, 1, 1));
    MonthModel m(clock);
    m.setDate(start);
    int changes = 0;
    m.setOnChange([&] { ++changes; });
    const bool moved = step > 0 ? m.nextMonth() : m.previousMonth();
    QCOMPARE(m.date(), expected);
    QCOMPARE(moved, expected != start);
    QCOMPARE(changes, moved ? 1 : 0);
}

void TestCalendarMonth::goToMonthAndToday()
{
    FakeClock clock = clockAt(QDate(2025, 6, 15));
    MonthModel m(clock);
    QVERIFY(m.showsCurrentMonth());
    QVERIFY(m.goToMonth(1410, 7));
    QCOMPARE(m.date(), QDate(1410, 7, 1));
    QVERIFY(!m.showsCurrentMonth());
    QVERIFY(!m.goToMonth(0, 7));
    QVERIFY(!m.goToMonth(12345, 7));
    QVERIFY(!m.goToMonth(2025, 13));
    QCOMPARE(m.date(), QDate(1410, 7, 1));

    // Out-of-range dates never reach the model.
    m.setDate(QDate(0, 1, 1));
    m.setDate(QDate(10000, 1, 1));
    m.setDate(QDate());
    QCOMPARE(m.date(), QDate(1410, 7, 1));

    clock.set(QDateTime(QDate(2025, 7, 1), QTime(0, 0, 1)));
    m.goToToday();
    QCOMPARE(m.date(), QDate(2025, 7, 1));
    QVERIFY(m.showsCurrentMonth());
}

void TestCalendarMonth::hitTest_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("day"); // June 2025

    QTest::newRow("top-left") << 0 << 0 << 0 << 0 << 0;
    QTest::newRow("header's grid line") << 20 << 13 << 0 << 0 << 0;
    QTest::newRow("first week row") << 0 << 14 << 0 << 1 << 0;
    QTest::newRow("Sunday the first") << 126 << 14 << 6 << 1 << 1;
    QTest::newRow("line right of a cell") << 146 << 27 << 6 << 1 << 1;
    QTest::newRow("next row starts") << 126 << 28 << 6 << 2 << 8;
    QTest::newRow("30th in row 6") << 5 << 90 << 0 << 6 << 30;
    QTest::newRow("bottom-right pixel") << 146 << 96 << 6 << 6 << 0;
    QTest::newRow("right of the grid") << 147 << 20 << -1 << -1 << 0;
    QTest::newRow("below the grid") << 10 << 97 << -1 << -1 << 0;
    QTest::newRow("left of the grid") << -1 << 20 << -1 << -1 << 0;
}

void TestCalendarMonth::hitTest()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(int, day);

    const GridGeometry g;
    QCOMPARE(g.columnWidth(), 20);
    QCOMPARE(g.rowHeight(), 13);
    QCOMPARE(g.cellAt(x, y), (GridCell{column, row}));

    const FakeClock clock = clockAt(QDate(2025, 6, 15));
    const MonthModel m(clock);
    QCOMPARE(m.dayAt(g.cellAt(x, y)), day);
}

void TestCalendarMonth::selectCell()
{
    const FakeClock clock = clockAt(QDate(2025, 6, 15));
    MonthModel m(clock);
    QVERIFY(!m.selectCell(0, 1)); // empty cell before the 1st
    QVERIFY(!m.selectCell(3, 0)); // weekday row
    QVERIFY(m.selectCell(0, 6));
    QCOMPARE(m.day(), 30);
    m.setReadOnly(true);
    QVERIFY(!m.selectCell(6, 1));
    QCOMPARE(m.day(), 30);
}

void TestCalendarMonth::dayColours()
{
    const FakeClock clock = clockAt(QDate(2025, 6, 15));
    MonthModel m(clock, 0x123456);
    QCOMPARE(m.dayColour(1), 0x123456);
    m.setDayColour(31, 255);
    m.setDayColour(0, 255);  // ignored
    m.setDayColour(32, 255); // ignored
    QCOMPARE(m.dayColour(31), 255);
    QCOMPARE(m.dayColour(30), 0x123456);
    m.resetDayColours();
    QCOMPARE(m.dayColour(31), 0x123456);
}

void TestCalendarMonth::menuCaptionDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("single-digit day") << QDate(2026, 1, 5) << QStringLiteral("5.01.2026");
    QTest::newRow("two digits") << QDate(2025, 11, 30) << QStringLiteral("30.11.2025");
    QTest::newRow("early year") << QDate(33, 4, 3) << QStringLiteral("3.04.0033");
}

void TestCalendarMonth::menuCaptionDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(zorvex::menuCaptionDate(date), text);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCalendarMonth)
#include "tst_calendar_month.moc"

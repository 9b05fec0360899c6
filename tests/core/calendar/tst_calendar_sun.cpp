#include "core/calendar/DayFacts.h"
#include "core/calendar/Degrees.h"
#include "core/calendar/SunTimes.h"

#include <QTest>

namespace zorvex {

class TestCalendarSun : public QObject {
    Q_OBJECT

private slots:
    void parseDegrees_data();
    void parseDegrees();
    void workedValues_data();
    void workedValues();
    void sunThatNeverSetsOrRises();
    void daylightOffset_data();
    void daylightOffset();
    void polishDaylightTime_data();
    void polishDaylightTime();
    void sunOfThePlaceOnItsOwnClock_data();
    void sunOfThePlaceOnItsOwnClock();
    void dayParts_data();
    void dayParts();
    void pictureSwitchesOnlyOnChange();
    void factsText();
    void factsOnSpecialDays_data();
    void factsOnSpecialDays();

private:
    const QTimeZone m_warsaw{"Europe/Warsaw"};
    // UTC+1 all year: a machine that never keeps daylight time.
    const QTimeZone m_standard{"Etc/GMT-1"};
};

void TestCalendarSun::parseDegrees_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("ok");

    QTest::newRow("latitude") << "52 14 00" << 52.0 + 14.0 / 60.0 << true;
    QTest::newRow("longitude") << "21 01 00" << 21.0 + 1.0 / 60.0 << true;
    QTest::newRow("south") << "-52 14 00" << -(52.0 + 14.0 / 60.0) << true;
    QTest::newRow("blanks around") << "  52 30  " << 52.5 << true;
    QTest::newRow("degrees only") << "52" << 52.0 << true;
    QTest::newRow("seconds, comma") << "0 0 36,5" << 36.5 / 3600.0 << true;
    QTest::newRow("seconds, point") << "0 0 36.5" << 36.5 / 3600.0 << true;
    QTest::newRow("empty") << "" << 0.0 << true;
    QTest::newRow("letter") << "52 x 00" << 0.0 << false;
    QTest::newRow("fractional degrees") << "52.5" << 0.0 << false;
    QTest::newRow("not a number") << "0 0 nan" << 0.0 << false;
    QTest::newRow("fourth field") << "52 14 00 1" << 0.0 << false;
}

void TestCalendarSun::parseDegrees()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, ok);
    const ParsedDegrees p = zorvex::parseDegrees(text);
    QCOMPARE(p.ok, ok);
    QVERIFY2(qAbs(p.value - value) < 1e-9, qPrintable(QString::number(p.value, 'g', 12)));
}

void TestCalendarSun::workedValues_data()
{
    QTest::addColumn<int>("dayOfYear");
    QTest::addColumn<int>("daylight");
    QTest::addColumn<QString>("sunrise");
    QTest::addColumn<QString>("sunset");
    QTest::addColumn<int>("length");

    QTest::newRow("N 172, standard time") << 172 << 0 << "03:14" << "20:00" << 16 * 60 + 46;
    QTest::newRow("N 172, daylight time") << 172 << 1 << "04:14" << "21:00" << 16 * 60 + 46;
    QTest::newRow("N 355") << 355 << 0 << "07:44" << "15:25" << 7 * 60 + 41;
    QTest::newRow("N 1") << 1 << 0 << "07:45" << "15:33" << 7 * 60 + 48;
}

void TestCalendarSun::workedValues()
{
    QFETCH(int, dayOfYear);
    QFETCH(int, daylight);
    QFETCH(QString, sunrise);
    QFETCH(QString, sunset);
    QFETCH(int, length);

    const SunTimes t = computeSunTimes(dayOfYear, daylight);
    QCOMPARE(clockText(t.sunrise), sunrise);
    QCOMPARE(clockText(t.sunset), sunset);
    QCOMPARE(t.dayLength, length);
    QCOMPARE(t.middayStart, t.sunrise + length / 4);
    QCOMPARE(t.eveningStart, t.sunset - 60);
    QCOMPARE(t.nightStart, t.sunset + 60);
}

void TestCalendarSun::sunThatNeverSetsOrRises()
{
    const Observer north{80.0, 15.0, 1};
    const SunTimes summer = computeSunTimes(172, 0, north);
    QCOMPARE(summer.sunrise, 0);
    QCOMPARE(summer.sunset, kMinutesPerDay);
    QCOMPARE(summer.dayLength, kMinutesPerDay);
    QCOMPARE(clockText(summer.sunset), QStringLiteral("00:00"));
    const SunTimes winter = computeSunTimes(355, 0, north);
    QCOMPARE(winter.sunrise, 0);
    QCOMPARE(winter.sunset, 0);
    QCOMPARE(winter.dayLength, 0);
}

void TestCalendarSun::daylightOffset_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<int>("offset");

    const QTimeZone utc = QTimeZone::utc();
    QTest::newRow("Warsaw in summer") << QDateTime(QDate(2025, 6, 21), QTime(10, 0), utc) << QByteArray("Europe/Warsaw") << 1;
    QTest::newRow("Warsaw in winter") << QDateTime(QDate(2025, 12, 21), QTime(10, 0), utc) << QByteArray("Europe/Warsaw") << 0;
    // The offset is that of the moment of calculation, not of the day.
    QTest::newRow("last minute of standard time") << QDateTime(QDate(2025, 3, 30), QTime(0, 59), utc)
                                                  << QByteArray("Europe/Warsaw") << 0;
    QTest::newRow("first minute of daylight time") << QDateTime(QDate(2025, 3, 30), QTime(1, 0), utc)
                                                   << QByteArray("Europe/Warsaw") << 1;
    QTest::newRow("zone without daylight time") << QDateTime(QDate(2025, 6, 21), QTime(10, 0), utc)
                                                << QByteArray("Etc/GMT-1") << 0;
}

void TestCalendarSun::daylightOffset()
{
    QFETCH(QDateTime, moment);
    QFETCH(QByteArray, zone);
    QFETCH(int, offset);
    const QTimeZone tz(zone);
    QVERIFY(tz.isValid());
    QCOMPARE(zorvex::daylightOffset(moment, tz), offset);
}

void TestCalendarSun::polishDaylightTime_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<int>("offset");

    const QTimeZone utc = QTimeZone::utc();
    QTest::newRow("winter") << QDateTime(QDate(2025, 1, 15), QTime(12, 0), utc) << 0;
    QTest::newRow("summer") << QDateTime(QDate(2025, 7, 15), QTime(12, 0), utc) << 1;
    QTest::newRow("before the March change") << QDateTime(QDate(2025, 3, 30), QTime(0, 59), utc) << 0;
    QTest::newRow("March change") << QDateTime(QDate(2025, 3, 30), QTime(1, 0), utc) << 1;
    QTest::newRow("Sunday a week before the March change") << QDateTime(QDate(2025, 3, 23), QTime(12, 0), utc) << 0;
    QTest::newRow("before the October change") << QDateTime(QDate(2025, 10, 26), QTime(0, 59), utc) << 1;
    QTest::newRow("October change") << QDateTime(QDate(2025, 10, 26), QTime(1, 0), utc) << 0;
    // 31 March 2024 is itself the last Sunday.
    QTest::newRow("last day of March is the Sunday") << QDateTime(QDate(2024, 3, 31), QTime(1, 0), utc) << 1;
    // Whatever zone the moment is written in.
    QTest::newRow("moment in another zone") << QDateTime(QDate(2025, 3, 30), QTime(6, 30), QTimeZone("Asia/Kolkata"))
                                            << 1;
}

// The database and the rule the program falls back to agree.
void TestCalendarSun::polishDaylightTime()
{
    QFETCH(QDateTime, moment);
    QFETCH(int, offset);
    QCOMPARE(europeanDaylightOffset(moment), offset);
    QCOMPARE(polishDaylightOffset(moment), offset);
}

void TestCalendarSun::sunOfThePlaceOnItsOwnClock_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<QDateTime>("now"); // the user's clock reading
    QTest::addColumn<QString>("sunrise");
    QTest::addColumn<QString>("sunset");
    QTest::addColumn<int>("dayOfYear"); // the place's date
    QTest::addColumn<int>("part");

    auto at = [](int y, int m, int d, int h, int min) { return QDateTime(QDate(y, m, d), QTime(h, min)); };
    // 21 June 2025 is N 172: 04:14 and 21:00 on Warsaw's summer clock.
    QTest::newRow("Poland in summer") << QByteArray("Europe/Warsaw") << at(2025, 6, 21, 12, 0) << "04:14" << "21:00"
                                      << 172 << int(DayPart::Midday);
    QTest::newRow("Poland in winter") << QByteArray("Europe/Warsaw") << at(2025, 12, 21, 12, 0) << "07:44" << "15:25"
                                      << 355 << int(DayPart::Midday);
    // Wherever the user's clock runs, the card names Warsaw's sun on Warsaw's
    // clock, with Poland's daylight time for that date.
    QTest::newRow("UTC+1 all year, summer") << QByteArray("Etc/GMT-1") << at(2025, 6, 21, 12, 0) << "04:14"
                                            << "21:00" << 172 << int(DayPart::Midday);
    QTest::newRow("UTC+1 all year, winter") << QByteArray("Etc/GMT-1") << at(2025, 12, 21, 12, 0) << "07:44"
                                            << "15:25" << 355 << int(DayPart::Midday);
    // 08:00 in India is 04:30 in Warsaw: the place's morning.
    QTest::newRow("India, morning") << QByteArray("Asia/Kolkata") << at(2025, 6, 21, 8, 0) << "04:14" << "21:00"
                                    << 172 << int(DayPart::Morning);
    QTest::newRow("India, after midnight") << QByteArray("Asia/Kolkata") << at(2025, 6, 22, 0, 15) << "04:14"
                                           << "21:00" << 172 << int(DayPart::Evening);
    // 1 January: 07:45 and 15:33 in Warsaw.
    QTest::newRow("New York in winter") << QByteArray("America/New_York") << at(2026, 1, 1, 3, 0) << "07:45"
                                        << "15:33" << 1 << int(DayPart::Morning);
    // New Year's morning in Auckland is still the old year in Warsaw.
    QTest::newRow("Auckland ahead of the place's date") << QByteArray("Pacific/Auckland") << at(2026, 1, 1, 5, 0)
                                                        << clockText(computeSunTimes(365, 0).sunrise)
                                                        << clockText(computeSunTimes(365, 0).sunset) << 365
                                                        << int(DayPart::Night);
}

void TestCalendarSun::sunOfThePlaceOnItsOwnClock()
{
    QFETCH(QByteArray, zone);
    QFETCH(QDateTime, now);
    QFETCH(QString, sunrise);
    QFETCH(QString, sunset);
    QFETCH(int, dayOfYear);
    QFETCH(int, part);
    const QTimeZone tz(zone);
    QVERIFY(tz.isValid());

    const PlaceSun sun = placeSunAt(now, tz);
    QCOMPARE(sun.sun, computeSunTimes(dayOfYear, polishDaylightOffset(QDateTime(now.date(), now.time(), tz))));
    QCOMPARE(clockText(sun.sun.sunrise), sunrise);
    QCOMPARE(clockText(sun.sun.sunset), sunset);
    QCOMPARE(int(sun.partAt(now.time())), part);

    const DayFacts facts = computeDayFacts(now, tz);
    QCOMPARE(facts.lines.at(6), QStringLiteral("Wschód słońca: ") + sunrise);
    QCOMPARE(facts.lines.at(7), QStringLiteral("Zachód słońca: ") + sunset);
    QCOMPARE(int(facts.part), part);
}

void TestCalendarSun::dayParts_data()
{
    QTest::addColumn<QTime>("time");
    QTest::addColumn<int>("part");

    // N 172 in standard time: sunrise 03:14, midday from 07:25 (a quarter
    // of 16 h 46 min later), evening from 19:00, night from 21:00.
    QTest::newRow("midnight") << QTime(0, 0) << int(DayPart::Night);
    QTest::newRow("before sunrise") << QTime(3, 13, 59) << int(DayPart::Night);
    QTest::newRow("sunrise") << QTime(3, 14) << int(DayPart::Morning);
    QTest::newRow("last morning minute, seconds ignored") << QTime(7, 24, 59) << int(DayPart::Morning);
    QTest::newRow("midday starts") << QTime(7, 25) << int(DayPart::Midday);
    QTest::newRow("last midday minute") << QTime(18, 59) << int(DayPart::Midday);
    QTest::newRow("evening starts") << QTime(19, 0) << int(DayPart::Evening);
    QTest::newRow("sunset is evening") << QTime(20, 0) << int(DayPart::Evening);
    QTest::newRow("last evening minute") << QTime(20, 59, 59) << int(DayPart::Evening);
    QTest::newRow("night starts") << QTime(21, 0) << int(DayPart::Night);
    QTest::newRow("last minute of the day") << QTime(23, 59, 59) << int(DayPart::Night);
}

void TestCalendarSun::dayParts()
{
    QFETCH(QTime, time);
    QFETCH(int, part);
    const SunTimes t = computeSunTimes(172, 0);
    QCOMPARE(t.middayStart, 7 * 60 + 25);
    QCOMPARE(int(dayPartAt(t, time)), part);

}

void TestCalendarSun::pictureSwitchesOnlyOnChange()
{
    DayPartTracker tracker;
    QCOMPARE(tracker.lastShown(), DayPartTracker::kNoneShown);
    QVERIFY(tracker.switchTo(DayPart::Night));
    QVERIFY(!tracker.switchTo(DayPart::Night));
    // The weather icon holds the picture: nothing switches, nothing is kept.
    QVERIFY(!tracker.switchTo(DayPart::Morning, true));
    QCOMPARE(tracker.lastShown(), int(DayPart::Night));
    QVERIFY(tracker.switchTo(DayPart::Morning));
    QVERIFY(tracker.switchTo(DayPart::None));
}

void TestCalendarSun::factsText()
{
    const QDateTime now(QDate(2025, 6, 21), QTime(12, 0), m_standard);
    const DayFacts facts = computeDayFacts(now, m_standard);
    const QString hyphens(42, QLatin1Char('-'));
    QCOMPARE(facts.lines, (QStringList{QStringLiteral("Dziś jest sobota, 21 czerwca 2025r."),
                                       hyphens,
                                       QStringLiteral("Jest to 172 dzień roku, 25 tydzień."),
                                       QStringLiteral("Do końca roku pozostało 193 dni"),
                                       QStringLiteral("Rok 2025 nie jest rokiem przestępnym."),
                                       hyphens,
                                       QStringLiteral("Wschód słońca: 04:14"),
                                       QStringLiteral("Zachód słońca: 21:00"),
                                       QStringLiteral("Długość dnia: 16 godz. 46 min.")}));
    QCOMPARE(facts.part, DayPart::Midday);
    QCOMPARE(facts.text().count(QLatin1Char('\n')), 8);

    const DayFacts summer = computeDayFacts(QDateTime(QDate(2025, 6, 21), QTime(12, 0), m_warsaw), m_warsaw);
    QCOMPARE(summer.lines.at(6), QStringLiteral("Wschód słońca: 04:14"));
    QCOMPARE(summer.lines.at(7), QStringLiteral("Zachód słońca: 21:00"));
}

void TestCalendarSun::factsOnSpecialDays_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    const QTimeZone warsaw("Europe/Warsaw");
    auto at = [&](int y, int m, int d, QTime t = QTime(12, 0)) { return QDateTime(QDate(y, m, d), t, warsaw); };

    QTest::newRow("31 December, days left") << at(2025, 12, 31, QTime(23, 59)) << 3 << "Do końca roku pozostało 0 dni";
    QTest::newRow("31 December, ISO week 1 of next year")
        << at(2025, 12, 31, QTime(23, 59)) << 2 << "Jest to 365 dzień roku, 1 tydzień.";
    QTest::newRow("31 December of a leap year") << at(2024, 12, 31) << 2 << "Jest to 366 dzień roku, 1 tydzień.";
    QTest::newRow("29 February, date") << at(2024, 2, 29) << 0 << "Dziś jest czwartek, 29 lutego 2024r.";
    QTest::newRow("29 February, day 60") << at(2024, 2, 29) << 2 << "Jest to 60 dzień roku, 9 tydzień.";
    QTest::newRow("29 February, leap year") << at(2024, 2, 29) << 4 << "Rok 2024 jest rokiem przestępnym.";
    QTest::newRow("1 January in week 53") << at(2021, 1, 1) << 2 << "Jest to 1 dzień roku, 53 tydzień.";
    QTest::newRow("1 January in week 52") << at(2022, 1, 1) << 2 << "Jest to 1 dzień roku, 52 tydzień.";
    QTest::newRow("31 December in week 53") << at(2026, 12, 31) << 2 << "Jest to 365 dzień roku, 53 tydzień.";
    QTest::newRow("Sunday, September") << at(2025, 9, 7) << 0 << "Dziś jest niedziela, 7 września 2025r.";
    QTest::newRow("minutes padded") << at(2025, 3, 21) << 8 << "Długość dnia: 12 godz. 06 min.";
    QTest::newRow("century not leap") << at(2100, 3, 1) << 4 << "Rok 2100 nie jest rokiem przestępnym.";
}

void TestCalendarSun::factsOnSpecialDays()
{
    QFETCH(QDateTime, now);
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines = computeDayFacts(now, m_warsaw).lines;
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.at(line), text);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestCalendarSun)
#include "tst_calendar_sun.moc"

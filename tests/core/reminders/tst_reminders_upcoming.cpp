#include "core/common/Clock.h"
#include "core/common/Cp1250.h"
#include "core/reminders/DailyCheck.h"
#include "core/reminders/ReminderSettings.h"
#include "core/reminders/UpcomingDates.h"
#include "support/FakeClock.h"

#include <QtTest>

using namespace zorvex;

namespace {
const QChar S = kListSeparator;

QString privateLine(const QString& name, int d, int m, const QString& start, const QString& year)
{
    return QStringList{name, QString::number(d), QString::number(m), start, year}.join(S);
}

// Rows as "days|date|kind:texts;kind:texts", short enough to compare whole.
QStringList summary(const QList<UpcomingRow>& rows)
{
    QStringList out;
    for (const UpcomingRow& r : rows) {
        QStringList groups;
        for (auto it = r.groups.cbegin(); it != r.groups.cend(); ++it)
            groups << QString::number(it.key()) + QLatin1Char(':') + it.value().join(QStringLiteral(", "));
        out << QString::number(r.daysAhead) + QLatin1Char('|') + r.date.toString(QStringLiteral("dd.MM.yyyy"))
                + QLatin1Char('|') + groups.join(QLatin1Char(';'));
    }
    return out;
}

ReminderLists sampleLists()
{
    ReminderLists l;
    l.persons = {PersonEntry{QStringLiteral("Ala"), 1, 1, 2000, 0, 1},
                 PersonEntry{QStringLiteral("Leon"), 29, 2, 1996, 29, 2},
                 PersonEntry{QStringLiteral("Ola"), 1, 1, 2001, 2, 1},
                 PersonEntry{QStringLiteral("Bez dat"), 0, 1, 2001, 0, 1}};
    l.importantDays = {ImportantDayEntry{QStringLiteral("Trzech Króli"), 6, 1},
                       ImportantDayEntry{QStringLiteral("Przestępny"), 29, 2},
                       ImportantDayEntry{QStringLiteral("Sylwester"), 31, 12},
                       ImportantDayEntry{QStringLiteral("Nowy Rok"), 1, 1}};
    l.privateLines = {privateLine(QStringLiteral("Ślub"), 2, 1, QStringLiteral("2020"), QString()),
                      privateLine(QStringLiteral("Nowa rocznica"), 3, 1, QStringLiteral("2027"), QString()),
                      privateLine(QStringLiteral("Wizyta"), 4, 1, QString(), QStringLiteral("2027")),
                      privateLine(QStringLiteral("Zeszłoroczna"), 5, 1, QString(), QStringLiteral("2026")),
                      privateLine(QStringLiteral("Luty"), 1, 3, QString(), QStringLiteral("2027"))};
    return l;
}
} // namespace

class TestReminderUpcoming : public QObject {
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void recordText();
    void today_data();
    void today();
    void onceADay();
    void silencedTodayWindow();
    void upcomingRules_data();
    void upcomingRules();
    void rememberedShowing();
};

void TestReminderUpcoming::rows_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QStringList>("rows");
    // Across the year end: January dates are next year's, ages and
    // anniversaries count from them; a new anniversary (0 years) and last
    // year's private day are left out.
    QTest::newRow("year end") << QDate(2026, 12, 31)
                              << QStringList{QStringLiteral("0|31.12.2026|3:Sylwester"),
                                             QStringLiteral("1|01.01.2027|1:Ala (27 lat), Ola (26 lat);3:Nowy Rok"),
                                             QStringLiteral("2|02.01.2027|2:Ola;5:Ślub (7)"),
                                             QStringLiteral("4|04.01.2027|4:Wizyta"),
                                             QStringLiteral("6|06.01.2027|3:Trzech Króli")};
    // A leap-day birthday and name day fall on 28 February of a common
    // year; the important day of 29 February has no date then.
    QTest::newRow("february, common year") << QDate(2027, 2, 20)
                                           << QStringList{QStringLiteral("8|28.02.2027|1:Leon (31 lat);2:Leon"),
                                                          QStringLiteral("9|01.03.2027|4:Luty")};
    QTest::newRow("28 february itself") << QDate(2027, 2, 28)
                                        << QStringList{QStringLiteral("0|28.02.2027|1:Leon (31 lat);2:Leon"),
                                                       QStringLiteral("1|01.03.2027|4:Luty")};
    QTest::newRow("february, leap year") << QDate(2028, 2, 20)
                                         << QStringList{QStringLiteral("9|29.02.2028|1:Leon (32 lata);2:Leon;3:Przestępny")};
    // 31 days ahead is the last day looked at.
    QTest::newRow("31 days ahead") << QDate(2026, 11, 30) << QStringList{QStringLiteral("31|31.12.2026|3:Sylwester")};
    QTest::newRow("32 days ahead") << QDate(2026, 11, 29) << QStringList{};
    QTest::newRow("early december") << QDate(2026, 12, 1)
                                    << QStringList{QStringLiteral("30|31.12.2026|3:Sylwester"),
                                                   QStringLiteral("31|01.01.2027|1:Ala (27 lat), Ola (26 lat);3:Nowy Rok")};
}

void TestReminderUpcoming::rows()
{
    QFETCH(QDate, today);
    QFETCH(QStringList, rows);
    QCOMPARE(summary(upcomingRows(sampleLists(), UpcomingKinds{}, today)), rows);
}

void TestReminderUpcoming::recordText()
{
    const QList<UpcomingRow> rows = upcomingRows(sampleLists(), UpcomingKinds{true, true, false}, QDate(2026, 12, 31));
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows[1].toRecord(), QStringList({QStringLiteral("01"), QStringLiteral("01.01.2027"), QStringLiteral("piątek"),
                                              QStringLiteral("Jutro:"),
                                              QStringLiteral("1") + kKindMark + QStringLiteral("Ala (27 lat), Ola (26 lat)")
                                                  + kGroupSeparator + QStringLiteral("3") + kKindMark
                                                  + QStringLiteral("Nowy Rok")})
                                     .join(S));
    QCOMPARE(rows[0].when(), QStringLiteral("Dzisiaj:"));
    QCOMPARE(rows[2].when(), QStringLiteral("Pojutrze:"));
    QCOMPARE(rows[3].when(), QStringLiteral("za 6 dni:"));
    // Only the persons: the important days and private lines stay out.
    QCOMPARE(summary(upcomingRows(sampleLists(), UpcomingKinds{true, false, false}, QDate(2026, 12, 31))),
             (QStringList{QStringLiteral("1|01.01.2027|1:Ala (27 lat), Ola (26 lat)"), QStringLiteral("2|02.01.2027|2:Ola")}));
}

void TestReminderUpcoming::today_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("persons");
    QTest::addColumn<QString>("text");
    QTest::newRow("new year") << QDate(2027, 1, 1) << true
                              << QStringLiteral("Dzisiaj 27 urodziny obchodzi: Ala\nDzisiaj 26 urodziny obchodzi: Ola\n"
                                                "Dzisiaj: Nowy Rok");
    QTest::newRow("persons off") << QDate(2027, 1, 1) << false << QStringLiteral("Dzisiaj: Nowy Rok");
    QTest::newRow("anniversary and name day") << QDate(2027, 1, 2) << true
                                              << QStringLiteral("Dzisiaj imieniny ma: Ola\nRocznica: Ślub (7)");
    QTest::newRow("first anniversary year") << QDate(2027, 1, 3) << true << QStringLiteral("Rocznica: Nowa rocznica (0)");
    QTest::newRow("private day") << QDate(2027, 1, 4) << true << QStringLiteral("Dzisiaj: Wizyta");
    QTest::newRow("last year's private day") << QDate(2027, 1, 5) << true << QString();
    // The today window names a leap-day entry only on 29 February.
    QTest::newRow("28 february, common year") << QDate(2027, 2, 28) << true << QString();
    QTest::newRow("29 february") << QDate(2028, 2, 29) << true
                                 << QStringLiteral("Dzisiaj 32 urodziny obchodzi: Leon\nDzisiaj imieniny ma: Leon\n"
                                                   "Dzisiaj: Przestępny");
}

void TestReminderUpcoming::today()
{
    QFETCH(QDate, today);
    QFETCH(bool, persons);
    QFETCH(QString, text);
    QCOMPARE(todayText(sampleLists(), TodayKinds{persons, true, true}, today), text);
}

namespace {
struct Fixture {
    PersonReminderSettings persons;
    ImportantDaySettings important;
    PrivateDaySettings privateDays;
    UpcomingDatesSettings upcoming;
    QString todayWindowMutedOn;
    DayTime upcomingLastShown = kNever;
    DailyCheckSettings settings() { return {persons, important, privateDays, upcoming, todayWindowMutedOn, upcomingLastShown}; }
};
} // namespace

void TestReminderUpcoming::onceADay()
{
    FakeClock clock(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 0)));
    Fixture f;
    f.upcoming.showByItself = true;
    DailyReminderCheck check(clock, kNever);

    auto first = check.start(true, sampleLists(), f.settings());
    QVERIFY(first);
    QCOMPARE(first->todayText, QStringLiteral("Dzisiaj: Sylwester"));
    QVERIFY(first->showUpcoming);
    // A tick while the window is still being filled starts nothing.
    QCOMPARE(check.state(), ReminderCheckState::Running);
    QVERIFY(!check.start(true, sampleLists(), f.settings()));
    check.finish(true, f.settings());
    QCOMPARE(f.upcomingLastShown, toDayTime(clock.now()));
    QVERIFY(!check.start(true, sampleLists(), f.settings()));

    // Past midnight the main loop's day change lets the check run again.
    clock.advanceMs(61 * 1000);
    check.reset();
    f.persons.inTodayWindow = 1; // persons are off by default
    auto next = check.start(true, sampleLists(), f.settings());
    QVERIFY(next);
    QVERIFY(next->todayText.startsWith(QStringLiteral("Dzisiaj 27 urodziny obchodzi: Ala")));
    check.finish(false, f.settings());

    // "Testuj powiadomienie" runs again the same day, without today's window.
    check.reset();
    auto manual = check.start(false, sampleLists(), f.settings());
    QVERIFY(manual);
    QVERIFY(manual->todayText.isEmpty());
    QVERIFY(manual->showUpcoming);
}

void TestReminderUpcoming::silencedTodayWindow()
{
    FakeClock clock(QDateTime(QDate(2027, 1, 1), QTime(8, 0)));
    Fixture f;
    DailyReminderCheck check(clock, kNever);
    check.todayWindowClosed(true, f.settings());
    QCOMPARE(f.todayWindowMutedOn, QStringLiteral("01.01.2027"));
    QVERIFY(check.start(true, sampleLists(), f.settings())->todayText.isEmpty());
    check.finish(false, f.settings());

    // The next day the silenced date no longer counts.
    clock.set(QDateTime(QDate(2027, 1, 2), QTime(8, 0)));
    check.reset();
    QVERIFY(!check.start(true, sampleLists(), f.settings())->todayText.isEmpty());
    check.todayWindowClosed(false, f.settings());
    QVERIFY(f.todayWindowMutedOn.isEmpty());
}

void TestReminderUpcoming::upcomingRules_data()
{
    QTest::addColumn<bool>("automatic");
    QTest::addColumn<bool>("pokaz");
    QTest::addColumn<bool>("raz");
    QTest::addColumn<int>("polazDni");
    QTest::addColumn<int>("lastShownDaysAgo"); // -1: never
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("nothingAhead");
    const QDate soon(2027, 1, 1);    // Wizyta 3 days ahead
    const QDate later(2026, 12, 25); // Sylwester 6 days ahead, nothing nearer
    const QDate empty(2027, 6, 1);
    QTest::newRow("auto") << true << true << true << 7 << -1 << soon << true << false;
    QTest::newRow("auto, option off") << true << false << true << 7 << -1 << soon << false << false;
    QTest::newRow("manual, option off") << false << false << true << 7 << -1 << soon << true << false;
    QTest::newRow("auto, shown earlier today") << true << true << true << 7 << 0 << soon << false << false;
    QTest::newRow("auto, shown today, not once a day") << true << true << false << 7 << 0 << soon << true << false;
    QTest::newRow("auto, shown yesterday") << true << true << true << 7 << 1 << soon << true << false;
    QTest::newRow("manual, shown earlier today") << false << true << true << 7 << 0 << soon << true << false;
    QTest::newRow("auto, nothing near enough") << true << true << true << 5 << -1 << later << false << false;
    QTest::newRow("auto, exactly the limit") << true << true << true << 6 << -1 << later << true << false;
    QTest::newRow("manual, beyond the limit") << false << true << true << 5 << -1 << later << true << false;
    QTest::newRow("auto, no rows") << true << true << true << 7 << -1 << empty << false << false;
    QTest::newRow("manual, no rows") << false << true << true << 7 << -1 << empty << false << true;
}

void TestReminderUpcoming::upcomingRules()
{
    QFETCH(bool, automatic);
    QFETCH(bool, pokaz);
    QFETCH(bool, raz);
    QFETCH(int, polazDni);
    QFETCH(int, lastShownDaysAgo);
    QFETCH(QDate, today);
    QFETCH(bool, show);
    QFETCH(bool, nothingAhead);
    FakeClock clock(QDateTime(today, QTime(10, 0)));
    Fixture f;
    f.upcoming.showByItself = pokaz;
    f.upcoming.onceADay = raz;
    f.upcoming.daysAhead = polazDni;
    f.upcoming.includePersons = false; // persons out: Ala's birthday would be near too
    const DayTime lastShown = lastShownDaysAgo < 0 ? kNever : toDayTime(QDateTime(today.addDays(-lastShownDaysAgo), QTime(7, 0)));
    DailyReminderCheck check(clock, lastShown);
    const auto out = check.start(automatic, sampleLists(), f.settings());
    QVERIFY(out);
    QCOMPARE(out->showUpcoming, show);
    QCOMPARE(out->showNothingAhead, nothingAhead);
}

void TestReminderUpcoming::rememberedShowing()
{
    FakeClock clock(QDateTime(QDate(2027, 1, 1), QTime(9, 30)));
    Fixture f;
    f.upcoming.showByItself = true;
    f.upcoming.onceADay = false;
    DailyReminderCheck check(clock, kNever);
    QVERIFY(check.start(true, sampleLists(), f.settings())->showUpcoming);
    check.finish(true, f.settings());
    QCOMPARE(f.upcomingLastShown, kNever); // only remembered when once a day

    // The value read at start-up decides, not one written during this run.
    f.upcoming.onceADay = true;
    const DayTime earlierRun = toDayTime(QDateTime(QDate(2027, 1, 1), QTime(8, 0)));
    DailyReminderCheck second(clock, earlierRun);
    QVERIFY(!second.start(true, sampleLists(), f.settings())->showUpcoming);
    second.finish(false, f.settings());
    QCOMPARE(f.upcomingLastShown, kNever);
}

QTEST_GUILESS_MAIN(TestReminderUpcoming)
#include "tst_reminders_upcoming.moc"

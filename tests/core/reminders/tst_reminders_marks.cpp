#include "core/common/Cp1250.h"
#include "core/reminders/DayMarks.h"
#include "core/reminders/ReminderPhrases.h"

#include <QtTest>

using namespace zorvex;

namespace {
const QChar S = kListSeparator;
constexpr Colour kUro = 1, kImi = 2, kWd = 3, kPry = 4;

QString privateLine(const QString& name, int d, int m, const QString& start, const QString& year)
{
    return QStringList{name, QString::number(d), QString::number(m), start, year}.join(S);
}

CalendarMarkSettings marks(const QString& precedence = QStringLiteral("1234"))
{
    CalendarMarkSettings m;
    m.colours = {kUro, kImi, kWd, kPry};
    m.precedence = colourPrecedence(precedence);
    return m;
}

// One of each kind on 15 May, and a few things elsewhere.
ReminderLists crowdedMay()
{
    ReminderLists l;
    l.persons = {PersonEntry{QStringLiteral("Ala"), 15, 5, 1990, 0, 1},
                 PersonEntry{QStringLiteral("Zofia"), 0, 5, 1990, 15, 5},
                 PersonEntry{QStringLiteral("Młody"), 20, 5, 2030, 20, 5}}; // born after the month shown
    l.importantDays = {ImportantDayEntry{QStringLiteral("Dzień Matki"), 26, 5},
                       ImportantDayEntry{QStringLiteral("Święto"), 15, 5}};
    l.privateLines = {privateLine(QStringLiteral("Ślub"), 15, 5, QStringLiteral("2016"), QString()),
                      privateLine(QStringLiteral("Wizyta"), 15, 5, QString(), QStringLiteral("2026")),
                      privateLine(QStringLiteral("Zeszłoroczna"), 16, 5, QString(), QStringLiteral("2025")),
                      privateLine(QStringLiteral("Przyszła rocznica"), 17, 5, QStringLiteral("2027"), QString())};
    return l;
}
} // namespace

class TestReminderMarks : public QObject {
    Q_OBJECT
private slots:
    void phrases_data();
    void phrases();
    void crowdedDay();
    void precedence_data();
    void precedence();
    void switchesAndOtherYears();
    void leapDay_data();
    void leapDay();
    void hintPhrase_data();
    void hintPhrase();
    void menuEntries_data();
    void menuEntries();
};

void TestReminderMarks::phrases_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("age");
    QTest::newRow("0") << 0 << QStringLiteral("(pozostało: 0 dni)") << QStringLiteral("(0 lat)");
    QTest::newRow("1") << 1 << QStringLiteral("(pozostał: 1 dzień)") << QStringLiteral("(1 rok)");
    QTest::newRow("2") << 2 << QStringLiteral("(pozostały: 2 dni)") << QStringLiteral("(2 lata)");
    QTest::newRow("4") << 4 << QStringLiteral("(pozostały: 4 dni)") << QStringLiteral("(4 lata)");
    QTest::newRow("5") << 5 << QStringLiteral("(pozostało: 5 dni)") << QStringLiteral("(5 lat)");
    QTest::newRow("12") << 12 << QStringLiteral("(pozostało: 12 dni)") << QStringLiteral("(12 lat)");
    QTest::newRow("21") << 21 << QStringLiteral("(pozostało: 21 dni)") << QStringLiteral("(21 lat)");
    QTest::newRow("22") << 22 << QStringLiteral("(pozostały: 22 dni)") << QStringLiteral("(22 lata)");
    QTest::newRow("25") << 25 << QStringLiteral("(pozostało: 25 dni)") << QStringLiteral("(25 lat)");
    QTest::newRow("112") << 112 << QStringLiteral("(pozostały: 112 dni)") << QStringLiteral("(112 lata)");
    QTest::newRow("111") << 111 << QStringLiteral("(pozostało: 111 dni)") << QStringLiteral("(111 lat)");
}

void TestReminderMarks::phrases()
{
    QFETCH(int, n);
    QFETCH(QString, left);
    QFETCH(QString, age);
    QCOMPARE(daysLeftPhrase(n), left);
    QCOMPARE(agePhrase(n), age);
}

void TestReminderMarks::crowdedDay()
{
    const DayAnnotations a = buildDayAnnotations(crowdedMay(), marks(), 2026, 5, QDate(2026, 5, 15));
    QVERIFY(a.isFor(2026, 5));
    const DayAnnotation& d = a.day(15);
    QCOMPARE(d.hint, QStringLiteral("Urodziny: Ala (36 lat)\nImieniny: Zofia\nWażny dzień: Święto\nRocznica: Ślub (10)\n"
                                    "Prywatny dzień: Wizyta"));
    const QList<DayMenuEntry> entries{
        {DayMenuEntry::Persons, 0, QStringLiteral("Urodziny: Ala")},
        {DayMenuEntry::Persons, 1, QStringLiteral("Imieniny: Zofia")},
        {DayMenuEntry::ImportantDays, 1, QStringLiteral("Ważny dzień: Święto")},
        {DayMenuEntry::PrivateDays, 0, QStringLiteral("Rocznica: Ślub")},
        {DayMenuEntry::PrivateDays, 1, QStringLiteral("Prywatny dzień: Wizyta")},
    };
    QCOMPARE(d.entries, entries);
    QCOMPARE(d.colour, kUro);
    QCOMPARE(a.day(26).hint, QStringLiteral("Ważny dzień: Dzień Matki\n[za 11 dni]"));
    QCOMPARE(a.day(26).colour, kWd);
    // Last year's private day, a future anniversary and a person not yet born mark nothing.
    for (int day : {16, 17})
        QCOMPARE(a.day(day), DayAnnotation{});
    QCOMPARE(a.day(20).hint, QStringLiteral("Imieniny: Młody\n[za 5 dni]"));
    QCOMPARE(a.day(20).entries.size(), 1);
}

void TestReminderMarks::precedence_data()
{
    // Day 15 of each month below carries the categories listed.
    QTest::addColumn<QString>("order");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<Colour>("colour");
    QTest::newRow("all, default order") << QStringLiteral("1234") << QStringLiteral("1234") << kUro;
    QTest::newRow("all, private first") << QStringLiteral("4321") << QStringLiteral("1234") << kPry;
    QTest::newRow("all, name days first") << QStringLiteral("2134") << QStringLiteral("1234") << kImi;
    QTest::newRow("all, important first") << QStringLiteral("3124") << QStringLiteral("1234") << kWd;
    QTest::newRow("name day over important") << QStringLiteral("1234") << QStringLiteral("23") << kImi;
    QTest::newRow("important over name day") << QStringLiteral("4312") << QStringLiteral("23") << kWd;
    QTest::newRow("private below birthday") << QStringLiteral("2143") << QStringLiteral("14") << kUro;
    QTest::newRow("private above name day") << QStringLiteral("4213") << QStringLiteral("24") << kPry;
    QTest::newRow("bad setting falls back") << QStringLiteral("abc") << QStringLiteral("234") << kImi;
    QTest::newRow("repeated digits") << QStringLiteral("3333") << QStringLiteral("24") << kImi;
    QTest::newRow("single kind") << QStringLiteral("4321") << QStringLiteral("3") << kWd;
}

void TestReminderMarks::precedence()
{
    QFETCH(QString, order);
    QFETCH(QString, kinds);
    QFETCH(Colour, colour);
    ReminderLists l;
    if (kinds.contains(QLatin1Char('1')))
        l.persons << PersonEntry{QStringLiteral("U"), 15, 3, 1980, 0, 1};
    if (kinds.contains(QLatin1Char('2')))
        l.persons << PersonEntry{QStringLiteral("I"), 0, 1, 1980, 15, 3};
    if (kinds.contains(QLatin1Char('3')))
        l.importantDays << ImportantDayEntry{QStringLiteral("W"), 15, 3};
    if (kinds.contains(QLatin1Char('4')))
        l.privateLines << privateLine(QStringLiteral("P"), 15, 3, QString(), QStringLiteral("2026"));
    const DayAnnotations a = buildDayAnnotations(l, marks(order), 2026, 3, QDate(2026, 1, 1));
    QCOMPARE(a.day(15).colour, colour);
    QCOMPARE(a.day(15).entries.size(), kinds.size());
}

void TestReminderMarks::switchesAndOtherYears()
{
    CalendarMarkSettings m = marks(QStringLiteral("4321"));
    m.privateDays = false;
    m.importantDays = false;
    m.birthdays = false;
    const DayAnnotations a = buildDayAnnotations(crowdedMay(), m, 2026, 5, QDate(2026, 5, 15));
    QCOMPARE(a.day(15).hint, QStringLiteral("Imieniny: Zofia"));
    QCOMPARE(a.day(15).colour, kImi);
    QCOMPARE(a.day(26), DayAnnotation{});

    // Another month of the lists: nothing of May shows up.
    const DayAnnotations june = buildDayAnnotations(crowdedMay(), marks(), 2026, 6, QDate(2026, 5, 15));
    for (int d = 1; d <= 31; ++d)
        QCOMPARE(june.day(d), DayAnnotation{});
    // An anniversary in its first year reads (0).
    const DayAnnotations may2016 = buildDayAnnotations(crowdedMay(), marks(), 2016, 5, QDate(2016, 5, 15));
    QVERIFY(may2016.day(15).hint.contains(QStringLiteral("Rocznica: Ślub (0)")));
    QVERIFY(!may2016.day(15).hint.contains(QStringLiteral("Wizyta")));
}

void TestReminderMarks::leapDay_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("hint");
    QTest::newRow("leap year") << 2028 << 29
                               << QStringLiteral("[za 28 dni]\nUrodziny: Leon (28 lat)\nImieniny: Leon\nWażny dzień: Przestępny");
    // Birthdays and name days move to the 28th; the important day has no day.
    QTest::newRow("common year") << 2027 << 28 << QStringLiteral("[za 27 dni]\nUrodziny: Leon (27 lat)\nImieniny: Leon");
}

void TestReminderMarks::leapDay()
{
    QFETCH(int, year);
    QFETCH(int, day);
    QFETCH(QString, hint);
    ReminderLists l;
    l.persons = {PersonEntry{QStringLiteral("Leon"), 29, 2, 2000, 29, 2}};
    l.importantDays = {ImportantDayEntry{QStringLiteral("Przestępny"), 29, 2}};
    const DayAnnotations a = buildDayAnnotations(l, marks(), year, 2, QDate(year, 2, 1));
    QCOMPARE(a.day(day).hint, hint);
    if (day == 28)
        QCOMPARE(a.day(29), DayAnnotation{});
}

void TestReminderMarks::hintPhrase_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("one");   // day 10: one event
    QTest::addColumn<QString>("two");   // day 11: two events
    QTest::newRow("today") << QDate(2026, 5, 10) << QStringLiteral("Ważny dzień: A")
                           << QStringLiteral("[jutro]\nWażny dzień: B\nWażny dzień: C");
    QTest::newRow("day before") << QDate(2026, 5, 9) << QStringLiteral("Ważny dzień: A\n[jutro]")
                                << QStringLiteral("[pojutrze]\nWażny dzień: B\nWażny dzień: C");
    QTest::newRow("after") << QDate(2026, 5, 12) << QStringLiteral("Ważny dzień: A\n[przedwczoraj]")
                           << QStringLiteral("[wczoraj]\nWażny dzień: B\nWażny dzień: C");
    QTest::newRow("weeks before") << QDate(2026, 4, 20) << QStringLiteral("Ważny dzień: A\n[za 20 dni]")
                                  << QStringLiteral("[za 21 dni]\nWażny dzień: B\nWażny dzień: C");
    QTest::newRow("next year") << QDate(2027, 1, 3) << QStringLiteral("Ważny dzień: A\n[238 dni temu]")
                               << QStringLiteral("[237 dni temu]\nWażny dzień: B\nWażny dzień: C");
}

void TestReminderMarks::hintPhrase()
{
    QFETCH(QDate, today);
    QFETCH(QString, one);
    QFETCH(QString, two);
    ReminderLists l;
    l.importantDays = {ImportantDayEntry{QStringLiteral("A"), 10, 5}, ImportantDayEntry{QStringLiteral("B"), 11, 5},
                       ImportantDayEntry{QStringLiteral("C"), 11, 5}};
    const DayAnnotations a = buildDayAnnotations(l, marks(), 2026, 5, today);
    QCOMPARE(a.day(10).hint, one);
    QCOMPARE(a.day(11).hint, two);
}

void TestReminderMarks::menuEntries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<DayMenuEntry>>("entries");
    QTest::newRow("escaped label")
        << QStringLiteral("1|4|Urodziny%3A%20Ala%20%26%20Ola%2B50%25") + S
        << QList<DayMenuEntry>{{DayMenuEntry::Persons, 4, QStringLiteral("Urodziny: Ala & Ola+50%")}};
    QTest::newRow("polish letters are cp1250 bytes")
        << QStringLiteral("3|0|Rocznica%3A%20%8Club%20%B3%B9ki") + S
        << QList<DayMenuEntry>{{DayMenuEntry::PrivateDays, 0, QStringLiteral("Rocznica: Ślub łąki")}};
    QTest::newRow("two entries") << QStringLiteral("2|0|A") + S + QStringLiteral("2|1|B") + S
                                 << QList<DayMenuEntry>{{DayMenuEntry::ImportantDays, 0, QStringLiteral("A")},
                                                        {DayMenuEntry::ImportantDays, 1, QStringLiteral("B")}};
}

void TestReminderMarks::menuEntries()
{
    QFETCH(QString, text);
    QFETCH(QList<DayMenuEntry>, entries);
    QCOMPARE(encodeMenuEntries(entries), text);
    QCOMPARE(decodeMenuEntries(text), entries);
    // Hand-made text: "+" is a blank and "&" ends the label; pieces that are
    // not entries are dropped.
    const QString odd = QStringLiteral("1|2|Ala+ma+kota&reszta") + S + QStringLiteral("x|1|Z") + S + QStringLiteral("7|1|Z")
        + S + QStringLiteral("2|-1|Z") + S;
    QCOMPARE(decodeMenuEntries(odd), (QList<DayMenuEntry>{{DayMenuEntry::Persons, 2, QStringLiteral("Ala ma kota")}}));
}

QTEST_GUILESS_MAIN(TestReminderMarks)
#include "tst_reminders_marks.moc"

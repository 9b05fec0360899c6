#include "core/common/Cp1250.h"
#include "core/reminders/NearestEntries.h"

#include <QtTest>

using namespace zorvex;

namespace {
QString privateLine(const QString& name, int d, int m, const QString& start, const QString& year)
{
    return QStringList{name, QString::number(d), QString::number(m), start, year}.join(kListSeparator);
}

QString describe(const std::optional<NearestEntry>& e)
{
    return e ? e->date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char(' ') + QString::number(e->daysLeft)
            + QLatin1Char(' ') + e->names
             : QStringLiteral("-");
}

const QList<PersonEntry> kPersons{
    PersonEntry{QStringLiteral("Ala"), 10, 3, 2000, 0, 1},
    PersonEntry{QStringLiteral("Ewa"), 12, 3, 1990, 12, 3},
    PersonEntry{QStringLiteral("Ola"), 12, 3, 1995, 0, 1},
    PersonEntry{QStringLiteral("Leon"), 29, 2, 1996, 29, 2},
};
} // namespace

class TestReminderNearest : public QObject {
    Q_OBJECT
private slots:
    void persons_data();
    void persons();
    void importantAndPrivate();
    void dateLine();
};

void TestReminderNearest::persons_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("birthday");
    QTest::addColumn<QString>("nameDay");
    // Two birthdays on the nearest day share the field, in list order.
    QTest::newRow("march") << QDate(2026, 3, 11) << QStringLiteral("12.03.2026 1 Ewa (36 lat), Ola (31 lat)")
                           << QStringLiteral("12.03.2026 1 Ewa");
    // A birthday today is not "nearest": the panel looks strictly ahead.
    QTest::newRow("birthday today") << QDate(2026, 3, 12) << QStringLiteral("28.02.2027 353 Leon (31 lat)")
                                    << QStringLiteral("28.02.2027 353 Leon");
    QTest::newRow("leap year ahead") << QDate(2027, 3, 13) << QStringLiteral("29.02.2028 353 Leon (32 lata)")
                                     << QStringLiteral("29.02.2028 353 Leon");
    // On 28 February of a common year the moved leap-day birthday is today,
    // so the panel shows the next one, not "0 days left".
    QTest::newRow("leap birthday moved to today") << QDate(2027, 2, 28) << QStringLiteral("10.03.2027 10 Ala (27 lat)")
                                                  << QStringLiteral("12.03.2027 12 Ewa");
    QTest::newRow("year end") << QDate(2026, 12, 31) << QStringLiteral("28.02.2027 59 Leon (31 lat)")
                              << QStringLiteral("28.02.2027 59 Leon");
}

void TestReminderNearest::persons()
{
    QFETCH(QDate, today);
    QFETCH(QString, birthday);
    QFETCH(QString, nameDay);
    QCOMPARE(describe(nearestBirthday(kPersons, today)), birthday);
    QCOMPARE(describe(nearestNameDay(kPersons, today)), nameDay);
}

void TestReminderNearest::importantAndPrivate()
{
    const QList<ImportantDayEntry> days{{QStringLiteral("Przestępny"), 29, 2}, {QStringLiteral("Prima aprilis"), 1, 4}};
    QCOMPARE(describe(nearestImportantDay(days, QDate(2027, 2, 1))), QStringLiteral("01.04.2027 59 Prima aprilis"));
    QCOMPARE(describe(nearestImportantDay(days, QDate(2028, 2, 1))), QStringLiteral("29.02.2028 28 Przestępny"));
    QCOMPARE(describe(nearestImportantDay({}, QDate(2028, 2, 1))), QStringLiteral("-"));

    const QStringList lines{privateLine(QStringLiteral("Zeszłoroczny"), 5, 1, QString(), QStringLiteral("2026")),
                            privateLine(QStringLiteral("Urlop"), 1, 7, QString(), QStringLiteral("2027")),
                            privateLine(QStringLiteral("Zero"), 2, 6, QStringLiteral("0"), QStringLiteral("2027")),
                            privateLine(QStringLiteral("Ślub"), 20, 6, QStringLiteral("2020"), QString()),
                            privateLine(QStringLiteral("Nowa"), 20, 6, QStringLiteral("2027"), QString())};
    QCOMPARE(describe(nearestPrivateDay(lines, QDate(2027, 1, 2))), QStringLiteral("02.06.2027 151 Zero"));
    // Last year's private day is gone for good.
    QCOMPARE(describe(nearestPrivateDay(lines, QDate(2027, 7, 2))), QStringLiteral("-"));
    // The years show only when above 0.
    QCOMPARE(describe(nearestAnniversary(lines, QDate(2027, 6, 1))), QStringLiteral("20.06.2027 19 Ślub (7), Nowa"));
}

void TestReminderNearest::dateLine()
{
    const NearestEntry e{QDate(2027, 3, 12), 112, QStringLiteral("x")};
    QCOMPARE(e.dateLine(), QStringLiteral("piątek 12 mar 2027 (pozostały: 112 dni)"));
}

QTEST_GUILESS_MAIN(TestReminderNearest)
#include "tst_reminders_nearest.moc"

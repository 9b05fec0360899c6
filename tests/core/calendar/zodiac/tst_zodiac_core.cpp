#include "core/calendar/Zodiac.h"
#include "core/common/Clock.h"
#include "core/reminders/ZodiacPersons.h"
#include "support/FakeClock.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;

namespace {
QString u(const char* s)
{
    return QString::fromUtf8(s);
}
const QString kLine(30, QLatin1Char('-'));
} // namespace

class TstZodiacCore : public QObject {
    Q_OBJECT
private slots:
    void signOf_data();
    void signOf();
    void horoscopeNumbers();
    void hintFor22December();
    void hintPersons_data();
    void hintPersons();
    void hintFromFile();
    void refreshOncePerDate();
};

void TstZodiacCore::signOf_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("sign");
    // The last day of the old sign and the first of the new one, each month.
    const int thresholds[12] = {20, 20, 20, 20, 21, 21, 22, 22, 22, 23, 22, 21};
    for (int m = 1; m <= 12; ++m) {
        const int before = m == 1 ? 12 : m - 1;
        const int d = thresholds[m - 1];
        QTest::addRow("%d.%d", d, m) << d << m << before;
        QTest::addRow("%d.%d", d + 1, m) << d + 1 << m << m;
    }
    QTest::newRow("1 January") << 1 << 1 << 12;
    QTest::newRow("29 February") << 29 << 2 << 2;
    QTest::newRow("31 December") << 31 << 12 << 12;
    QTest::newRow("day 0 counts as early") << 0 << 5 << 4;
    QTest::newRow("day 40 counts as late") << 40 << 5 << 5;
    QTest::newRow("month 0") << 10 << 0 << 0;
    QTest::newRow("month 13") << 10 << 13 << 0;
}

void TstZodiacCore::signOf()
{
    QFETCH(int, day);
    QFETCH(int, month);
    QFETCH(int, sign);
    QCOMPARE(SignOf(day, month), sign);
}

void TstZodiacCore::horoscopeNumbers()
{
    // The menu's own order starts at Baran and ends at Ryby.
    const char* order[12] = {"Baran", "Byk", "Bliźnięta", "Rak", "Lew", "Panna",
                             "Waga", "Skorpion", "Strzelec", "Koziorożec", "Wodnik", "Ryby"};
    for (int n = 1; n <= 12; ++n) {
        const int sign = signOfHoroscopeNumber(n);
        QCOMPARE(zodiacSignName(sign), u(order[n - 1]));
        QCOMPARE(horoscopeNumber(sign), n);
    }
    QCOMPARE(horoscopeNumber(0), 0);
    QCOMPARE(signOfHoroscopeNumber(13), 0);
}

void TstZodiacCore::hintFor22December()
{
    const int sign = SignOf(QDate(2026, 12, 22));
    const QString expected = u("Aktualny znak:\r\nKoziorożec [22.12-20.01]\r\n") + kLine
        + u("\r\nNastępny znak:\r\nWodnik [21.01-20.02]");
    QCOMPARE(zodiacHint(sign, {}), expected);
}

void TstZodiacCore::hintPersons_data()
{
    QTest::addColumn<QList<PersonEntry>>("persons");
    QTest::addColumn<QString>("names"); // expected block after the label; empty: no block

    PersonEntry anna{u("Anna Nowak"), 25, 12, 1980, 26, 7};
    PersonEntry jan{u("Jan Kowalski"), 10, 1, 1975, 24, 6};
    PersonEntry off = anna;
    off.name = u("Bez urodzin");
    off.birthDay = 0;
    PersonEntry other{u("Ewa Lis"), 1, 6, 1990, 1, 1};
    // A person stored without UrodzinyM is read with month 1.
    PersonEntry noMonth{u("Piotr Bez Miesiąca"), 5, 1, 2000, 1, 1};
    PersonEntry padded{u("  Zofia  "), 30, 12, 2000, 1, 1};

    QTest::newRow("none") << QList<PersonEntry>{} << QString();
    QTest::newRow("nobody of the sign") << QList<PersonEntry>{other} << QString();
    QTest::newRow("birthday off is never listed") << QList<PersonEntry>{off} << QString();
    QTest::newRow("two in file order")
        << QList<PersonEntry>{anna, other, jan} << u("Anna Nowak\r\nJan Kowalski");
    QTest::newRow("missing month counts as January") << QList<PersonEntry>{noMonth} << u("Piotr Bez Miesiąca");
    QTest::newRow("block trimmed at both ends")
        << QList<PersonEntry>{padded, anna} << u("Zofia  \r\nAnna Nowak");
}

void TstZodiacCore::hintPersons()
{
    QFETCH(QList<PersonEntry>, persons);
    QFETCH(QString, names);
    const QString hint = zodiacHint(12, persons);
    const QString base = zodiacHint(12, QList<PersonEntry>{});
    QVERIFY(hint.startsWith(base));
    if (names.isEmpty())
        QCOMPARE(hint, base);
    else
        QCOMPARE(hint.mid(base.size()), u("\r\n") + kLine + u("\r\nOsoby o znaku zodiaku Koziorożec:\r\n") + names);
}

void TstZodiacCore::hintFromFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    // An unreadable file only drops the persons block.
    QCOMPARE(zodiacHintFromFile(1, path), zodiacHint(1, QList<PersonEntry>{}));

    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    // The second person has no UrodzinyM: born in January, so a Wodnik.
    f.write("[Osoby]\r\nIle=3\r\n"
            "[Osoba1]\r\nImieNazwisko=Adam\r\nUrodzinyD=25\r\nUrodzinyM=1\r\n"
            "[Osoba2]\r\nImieNazwisko=Beata\r\nUrodzinyD=30\r\n"
            "[Osoba3]\r\nImieNazwisko=Celina\r\nUrodzinyD=0\r\nUrodzinyM=1\r\n");
    f.close();
    const QString hint = zodiacHintFromFile(1, path);
    QVERIFY2(hint.endsWith(u(":\r\nAdam\r\nBeata")), qPrintable(hint));
}

void TstZodiacCore::refreshOncePerDate()
{
    FakeClock clock(QDateTime(QDate(2026, 3, 20), QTime(23, 59, 58)));
    ZodiacDailyGuard guard(clock);
    QVERIFY(guard.take()); // the first call after start always runs
    for (int i = 0; i < 5; ++i) {
        clock.advanceMs(200);
        QVERIFY(!guard.take());
    }
    clock.set(QDateTime(QDate(2026, 3, 21), QTime(0, 0, 1)));
    QVERIFY(guard.take());
    QCOMPARE(guard.lastRun(), QDate(2026, 3, 21));
    QVERIFY(!guard.take());
    // A clock set back to an earlier date is a new date too.
    clock.set(QDateTime(QDate(2026, 3, 20), QTime(12, 0)));
    QVERIFY(guard.take());
}

QTEST_APPLESS_MAIN(TstZodiacCore)
#include "tst_zodiac_core.moc"

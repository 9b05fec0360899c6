#include "core/common/DayTime.h"

#include <QTest>

#include <cmath>
#include <ctime>

namespace zorvex {
namespace {

// Puts the process in a local time zone with daylight saving time for the
// life of the object, so that clock changes happen whatever the host's zone.
// The POSIX rule needs no zone database.
class PolishTimeZone {
public:
    PolishTimeZone()
        : m_had(qEnvironmentVariableIsSet("TZ"))
        , m_old(qgetenv("TZ"))
    {
        qputenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3");
        tzset();
    }
    ~PolishTimeZone()
    {
        if (m_had)
            qputenv("TZ", m_old);
        else
            qunsetenv("TZ");
        tzset();
    }
    PolishTimeZone(const PolishTimeZone&) = delete;
    PolishTimeZone& operator=(const PolishTimeZone&) = delete;

private:
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestDayTime : public QObject {
    Q_OBJECT

private slots:
    void textRoundTrip_data();
    void textRoundTrip();
    void otherAcceptedForms_data();
    void otherAcceptedForms();
    void unparsable_data();
    void unparsable();
    void wallClockAcrossClockChanges_data();
    void wallClockAcrossClockChanges();
};

void TestDayTime::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("never") << QStringLiteral("30.12.1899 00:00:00") << kNever;
    QTest::newRow("day one") << QStringLiteral("31.12.1899 00:00:00") << 1.0;
    QTest::newRow("before day zero") << QStringLiteral("29.12.1899 00:00:00") << -1.0;
    // No phantom 29 February 1900.
    QTest::newRow("March 1900") << QStringLiteral("01.03.1900 00:00:00") << 61.0;
    QTest::newRow("noon") << QStringLiteral("01.01.2000 12:00:00") << 36526.5;
    QTest::newRow("quarter past six") << QStringLiteral("01.01.2000 06:00:00") << 36526.25;
    QTest::newRow("leap day evening") << QStringLiteral("29.02.2024 18:00:00") << 45351.75;
    QTest::newRow("last second") << QStringLiteral("29.02.2024 23:59:59") << 45351.0 + 86399.0 / 86400.0;
}

void TestDayTime::textRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(double, value);

    const auto parsed = parseDayTime(text);
    QVERIFY(parsed);
    QCOMPARE(*parsed, value);
    QCOMPARE(formatDateTime(value), text);
    QCOMPARE(formatDate(value), text.left(10));
    QCOMPARE(parseDayTime(text.left(10)), std::optional<DayTime>(std::floor(value)));
}

void TestDayTime::otherAcceptedForms_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");

    QTest::newRow("single-digit day and month") << QStringLiteral("1.1.2000") << 36526.0;
    QTest::newRow("time without seconds") << QStringLiteral("01.01.2000 12:00") << 36526.5;
    QTest::newRow("blanks around") << QStringLiteral("  01.01.2000 06:00:00 ") << 36526.25;
    QTest::newRow("ISO date-time") << QStringLiteral("2000-01-01T18:00:00") << 36526.75;
}

void TestDayTime::otherAcceptedForms()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(parseDayTime(text), std::optional<DayTime>(value));
}

void TestDayTime::unparsable_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("word") << QStringLiteral("nigdy");
    QTest::newRow("day number") << QStringLiteral("36526");
    QTest::newRow("real") << QStringLiteral("36526,5");
    QTest::newRow("31 February") << QStringLiteral("31.02.2023");
    QTest::newRow("month 13") << QStringLiteral("01.13.2023");
    QTest::newRow("hour 24") << QStringLiteral("01.01.2000 24:00:00");
    QTest::newRow("minute 60") << QStringLiteral("01.01.2000 12:60");
    QTest::newRow("two-digit year") << QStringLiteral("01.01.00");
    QTest::newRow("trailing text") << QStringLiteral("01.01.2000 12:00:00 CET");
}

void TestDayTime::unparsable()
{
    QFETCH(QString, text);
    QVERIFY(!parseDayTime(text));
}

void TestDayTime::wallClockAcrossClockChanges_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("existsLocally");

    // 26.03.2023: clocks go from 02:00 to 03:00; 29.10.2023: from 03:00 back to 02:00.
    QTest::newRow("spring, before") << QStringLiteral("26.03.2023 01:30:00") << 45011.0 + 1.5 / 24 << true;
    QTest::newRow("spring, skipped hour") << QStringLiteral("26.03.2023 02:30:00") << 45011.0 + 2.5 / 24 << false;
    QTest::newRow("spring, noon") << QStringLiteral("26.03.2023 12:00:00") << 45011.5 << true;
    QTest::newRow("autumn, repeated hour") << QStringLiteral("29.10.2023 02:30:00") << 45228.0 + 2.5 / 24 << true;
    QTest::newRow("autumn, noon") << QStringLiteral("29.10.2023 12:00:00") << 45228.5 << true;
    QTest::newRow("autumn, evening") << QStringLiteral("29.10.2023 23:00:00") << 45228.0 + 23.0 / 24 << true;
}

void TestDayTime::wallClockAcrossClockChanges()
{
    // Day numbers are wall-clock values: a clock change on that day must not
    // shift the time that is read back or written.
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(bool, existsLocally);
    const PolishTimeZone zone;

    const auto parsed = parseDayTime(text);
    QVERIFY(parsed);
    QVERIFY2(qAbs(*parsed - value) < 1e-9, qPrintable(QString::number(*parsed, 'f', 9)));
    QCOMPARE(formatDateTime(value), text);
    const QDateTime dt = fromDayTime(value);
    QCOMPARE(dt.date().toString(QStringLiteral("dd.MM.yyyy")), text.left(10));
    // A skipped local hour has no QDateTime of its own; its date must still hold.
    if (existsLocally) {
        QCOMPARE(dt.time().toString(QStringLiteral("HH:mm:ss")), text.mid(11));
        QVERIFY(qAbs(toDayTime(dt) - value) < 1e-9);
    }
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestDayTime)
#include "tst_daytime.moc"

#include "core/net/TimeSynchronizer.h"
#include "platform/net/UdpSntpTransport.h"
#include "support/FakeClock.h"
#include "support/FakeTimeSetter.h"
#include "support/SntpTestServer.h"

#include <QSignalSpy>
#include <QTest>

using namespace zorvex;
using Answer = SntpTestServer::Answer;
using Kind = TimeSyncOutcome::Kind;

Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(TimeSyncOutcome::Kind)
Q_DECLARE_METATYPE(SystemTimeSetter::Result)

// The whole synchronisation against a server on loopback: the client's own
// clock is a fake one, so offsets are exact and the real clock never moves.
class TimeSyncTest : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
    void badServerText_data();
    void badServerText();
};

void TimeSyncTest::answers_data()
{
    QTest::addColumn<QDateTime>("clock");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<qint64>("offsetMs");
    QTest::addColumn<SystemTimeSetter::Result>("setter");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<int>("correction");

    const QDateTime today(QDate(2026, 12, 9), QTime(3, 45, 12), Qt::UTC);
    const auto set = SystemTimeSetter::Result::Set;
    QTest::newRow("ahead") << today << Answer::Good << qint64(5250) << set << Kind::Synchronised << 5;
    QTest::newRow("behind") << today << Answer::Good << qint64(-123456) << set << Kind::Synchronised << 123;
    QTest::newRow("exact") << today << Answer::Good << qint64(0) << set << Kind::Synchronised << 0;
    QTest::newRow("stale answer first") << today << Answer::StaleThenGood << qint64(2000) << set << Kind::Synchronised
                                        << 2;
    // The 32-bit seconds roll over on 7 February 2036.
    QTest::newRow("after the 2036 rollover")
        << QDateTime(QDate(2036, 3, 1), QTime(0, 0), Qt::UTC) << Answer::Good << qint64(7000) << set
        << Kind::Synchronised << 7;
    QTest::newRow("across the rollover")
        << QDateTime(QDate(2036, 2, 7), QTime(6, 28, 10), Qt::UTC) << Answer::Good << qint64(30000) << set
        << Kind::Synchronised << 30;
    QTest::newRow("silent") << today << Answer::Silent << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("too short") << today << Answer::TooShort << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("client mode") << today << Answer::ClientMode << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("someone else's answer") << today << Answer::WrongOriginate << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("unsynchronised") << today << Answer::Leap3 << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("stratum 16") << today << Answer::Stratum16 << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("zero transmit") << today << Answer::ZeroTransmit << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("before 2006") << today << Answer::Before2006 << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("from another port") << today << Answer::OtherPort << qint64(0) << set << Kind::NoAnswer << 0;
    QTest::newRow("kiss of death") << today << Answer::KissOfDeath << qint64(0) << set << Kind::KissOfDeath << 0;
    QTest::newRow("network time on") << today << Answer::Good << qint64(3000)
                                     << SystemTimeSetter::Result::NetworkTimeOn << Kind::NetworkTimeOn << 0;
    QTest::newRow("clock refused") << today << Answer::Good << qint64(3000) << SystemTimeSetter::Result::Refused
                                   << Kind::ClockRefused << 0;
}

void TimeSyncTest::answers()
{
    QFETCH(QDateTime, clock);
    QFETCH(Answer, answer);
    QFETCH(qint64, offsetMs);
    QFETCH(SystemTimeSetter::Result, setter);
    QFETCH(Kind, kind);
    QFETCH(int, correction);

    FakeClock fakeClock(clock);
    SntpTestServer server(fakeClock);
    server.setAnswer(answer);
    server.setOffsetMs(offsetMs);
    UdpSntpTransport transport;
    FakeTimeSetter timeSetter;
    timeSetter.result = setter;
    TimeSynchronizer sync(fakeClock, transport, timeSetter);
    sync.setTimeoutMs(300);

    std::optional<TimeSyncOutcome> outcome;
    sync.start(server.hostPort(), [&](const TimeSyncOutcome& o) { outcome = o; });
    QVERIFY(sync.running());
    QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 3000);
    QCOMPARE(outcome->kind, kind);
    QVERIFY(!sync.running());

    const bool reachedClock = kind == Kind::Synchronised || kind == Kind::NetworkTimeOn || kind == Kind::ClockRefused;
    if (reachedClock) {
        QCOMPARE(server.requests(), 2);
        QCOMPARE(timeSetter.adjustments, std::vector<qint64>{offsetMs});
    } else {
        QVERIFY(timeSetter.adjustments.empty());
    }
    if (kind == Kind::Synchronised)
        QCOMPARE(outcome->correctionSeconds, correction);
    if (kind == Kind::KissOfDeath) {
        QCOMPARE(outcome->detail, QStringLiteral("RATE"));
        QCOMPARE(server.requests(), 1); // the run stops at once
    }
    QCOMPARE(outcome->retryLater(), kind == Kind::NoAnswer);
}

void TimeSyncTest::badServerText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("port too big") << QStringLiteral("127.0.0.1:70000");
    QTest::newRow("port not a number") << QStringLiteral("ntp.example:abc");
}

void TimeSyncTest::badServerText()
{
    QFETCH(QString, text);
    FakeClock clock;
    UdpSntpTransport transport;
    FakeTimeSetter setter;
    TimeSynchronizer sync(clock, transport, setter);
    std::optional<TimeSyncOutcome> outcome;
    sync.start(text, [&](const TimeSyncOutcome& o) { outcome = o; });
    QVERIFY(outcome.has_value());
    QCOMPARE(outcome->kind, Kind::BadServer);
    QVERIFY(!outcome->retryLater());
}

QTEST_GUILESS_MAIN(TimeSyncTest)
#include "tst_timesync.moc"

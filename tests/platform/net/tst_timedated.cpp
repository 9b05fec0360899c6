#include "core/net/TimeSynchronizer.h"
#include "platform/net/TimedatedTimeSetter.h"
#include "platform/net/UdpSntpTransport.h"
#include "support/FakeClock.h"
#include "support/SntpTestServer.h"
#include "support/FakeTimedated.h"

#include <QTest>

using namespace zorvex;
using Result = SystemTimeSetter::Result;
Q_DECLARE_METATYPE(SystemTimeSetter::Result)

// The clock setter against a fake timedated on a private bus: what it asks
// and how each answer is read.
class TimedatedTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void answers_data();
    void answers();
    void synchronisationSetsTheClockThroughTimedated();

private:
    FakeTimedated m_fake;
};

void TimedatedTest::initTestCase()
{
    QVERIFY(m_fake.start());
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_fake.address().toUtf8());
}

void TimedatedTest::answers_data()
{
    QTest::addColumn<QString>("errorName");
    QTest::addColumn<Result>("result");
    QTest::newRow("set") << QString() << Result::Set;
    QTest::newRow("network time on") << QStringLiteral("org.freedesktop.timedate1.AutomaticTimeSyncEnabled")
                                     << Result::NetworkTimeOn;
    QTest::newRow("polkit says no") << QStringLiteral("org.freedesktop.DBus.Error.AccessDenied") << Result::Refused;
    QTest::newRow("other error") << QStringLiteral("org.freedesktop.DBus.Error.Failed") << Result::Failed;
}

void TimedatedTest::answers()
{
    QFETCH(QString, errorName);
    QFETCH(Result, result);
    m_fake.errorName = errorName;
    m_fake.calls.clear();
    TimedatedTimeSetter setter;
    std::optional<Result> got;
    setter.adjustBy(-2500, [&](Result r, const QString&) { got = r; });
    QTRY_VERIFY_WITH_TIMEOUT(got.has_value(), 5000);
    QCOMPARE(*got, result);
    QCOMPARE(m_fake.calls, QList<qlonglong>{-2500000});
    QCOMPARE(m_fake.relative, QList<bool>{true});
    m_fake.relative.clear();
}

// The whole road: a loopback SNTP server 3.5 s ahead, the clock moved by
// timedated (the fake one) by exactly that.
void TimedatedTest::synchronisationSetsTheClockThroughTimedated()
{
    m_fake.errorName.clear();
    m_fake.calls.clear();
    m_fake.relative.clear();
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(3, 45, 12)));
    SntpTestServer server(clock);
    server.setOffsetMs(3500);
    UdpSntpTransport transport;
    TimedatedTimeSetter setter;
    TimeSynchronizer sync(clock, transport, setter);
    std::optional<TimeSyncOutcome> outcome;
    sync.start(server.hostPort(), [&](const TimeSyncOutcome& o) { outcome = o; });
    QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 10000);
    QCOMPARE(outcome->kind, TimeSyncOutcome::Synchronised);
    QCOMPARE(outcome->correctionSeconds, 3);
    QCOMPARE(m_fake.calls, QList<qlonglong>{3500000});
    QCOMPARE(m_fake.relative, QList<bool>{true});
}

QTEST_GUILESS_MAIN(TimedatedTest)
#include "tst_timedated.moc"

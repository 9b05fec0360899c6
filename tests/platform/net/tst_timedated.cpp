#include "platform/net/TimedatedTimeSetter.h"
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

QTEST_GUILESS_MAIN(TimedatedTest)
#include "tst_timedated.moc"

#include "core/reminders/AlarmPower.h"

#include <QTest>

using namespace zorvex;

class AlarmPowerTest : public QObject {
    Q_OBJECT

    QStringList m_events;
    PowerCountdown::Callbacks callbacks()
    {
        return {[this](const QString& label, const QString& counter) { m_events << label + QLatin1Char(' ') + counter; },
                [this] { m_events << QStringLiteral("raise"); }, [this] { m_events << QStringLiteral("hide"); },
                [this](PowerAction a) { m_events << QStringLiteral("run %1").arg(int(a)); }};
    }

private slots:
    void init() { m_events.clear(); }

    void countsDownAndRuns()
    {
        PowerCountdown c(callbacks());
        c.start(PowerAction::Reboot);
        QCOMPARE(m_events.takeFirst(), QStringLiteral("Restart kompuera za: 30 sek."));
        for (int i = 0; i < 29; ++i)
            c.secondElapsed();
        QVERIFY(c.counting());
        QCOMPARE(m_events.last(), QStringLiteral("Restart kompuera za: 1 sek."));
        QCOMPARE(m_events.count(QStringLiteral("raise")), 5); // at 25, 20, 15, 10, 5
        m_events.clear();
        c.secondElapsed();
        QCOMPARE(m_events, (QStringList{QStringLiteral("hide"), QStringLiteral("run 1")}));
        QVERIFY(!c.counting());
        c.secondElapsed(); // a late tick does nothing
        QCOMPARE(m_events.size(), 2);
    }

    void cancelPreventsTheAction()
    {
        PowerCountdown c(callbacks());
        c.start(PowerAction::PowerOff);
        for (int i = 0; i < 10; ++i)
            c.secondElapsed();
        c.cancel();
        for (int i = 0; i < 40; ++i)
            c.secondElapsed();
        QVERIFY(!m_events.filter(QStringLiteral("run")).size());
        QCOMPARE(m_events.last(), QStringLiteral("hide"));
    }

    void newCountdownReplacesRunningOne()
    {
        PowerCountdown c(callbacks());
        c.start(PowerAction::PowerOff);
        for (int i = 0; i < 20; ++i)
            c.secondElapsed();
        c.start(PowerAction::MonitorOff);
        QCOMPARE(c.remaining(), 30);
        for (int i = 0; i < 29; ++i)
            c.secondElapsed();
        QVERIFY(!m_events.filter(QStringLiteral("run")).size());
        c.secondElapsed();
        QCOMPARE(m_events.last(), QStringLiteral("run 5"));
    }
};

QTEST_GUILESS_MAIN(AlarmPowerTest)
#include "tst_alarm_power.moc"

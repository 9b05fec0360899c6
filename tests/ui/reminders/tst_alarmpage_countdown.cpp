#include "platform/PowerActions.h"
#include "support/FakePowerActions.h"
#include "ui/reminders/AlarmCountdownWindow.h"
#include "support/RecordingPrompts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace zorvex;

class AlarmCountdownTest : public QObject {
    Q_OBJECT

private slots:
    void runsAtOnceOrAfterTheCountdown_data()
    {
        QTest::addColumn<bool>("withCancel");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("runs");
        QTest::newRow("at once") << false << false << 1;
        QTest::newRow("after 30 s") << true << false << 1;
        QTest::newRow("cancelled") << true << true << 0;
    }
    void runsAtOnceOrAfterTheCountdown()
    {
        QFETCH(bool, withCancel);
        QFETCH(bool, cancelled);
        QFETCH(int, runs);
        FakePowerActions power;
        RecordingPrompts prompts;
        AlarmCountdownWindow w(power, prompts);
        w.request(PowerAction::Hibernate, withCancel);
        if (withCancel) {
            QVERIFY(w.isVisible());
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("countdownCounter"))->text(), QStringLiteral("30 sek."));
            QVERIFY(power.calls().isEmpty());
            for (int i = 0; i < 29; ++i)
                w.secondElapsed();
            if (cancelled)
                w.findChild<QPushButton*>(QStringLiteral("countdownCancelButton"))->click();
            w.secondElapsed();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(power.calls().size(), runs);
    }

    void failureIsReported()
    {
        FakePowerActions power;
        power.setFailure(QStringLiteral("Nie można przejść w stan hibernacji."));
        RecordingPrompts prompts;
        AlarmCountdownWindow w(power, prompts);
        w.request(PowerAction::Hibernate, false);
        QCOMPARE(prompts.errors, QStringList{QStringLiteral("Nie można przejść w stan hibernacji.")});
    }
};

QTEST_MAIN(AlarmCountdownTest)
#include "tst_alarmpage_countdown.moc"

#include "../internet/MessageWindows.h"
#include "core/app/SettingsStore.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/net/TimeSyncSettings.h"
#include "platform/net/UdpSntpTransport.h"
#include "support/FakeClock.h"
#include "support/FakeInternet.h"
#include "support/FakeTimeSetter.h"
#include "support/SntpTestServer.h"
#include "ui/common/Messages.h"
#include "ui/net/TimeSyncPage.h"
#include "ui/net/TimeSyncService.h"

#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using Answer = SntpTestServer::Answer;

// The service on the "Czas" page against a loopback server: what is shown
// and stored after a run, when the start-up run and the retries happen.
class TimeSyncServiceTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void interactiveRunShowsAndStoresTheCorrection();
    void newProfileShowsNoCorrection();
    void interactiveFailureSaysServerProblem();
    void silentFailuresBackOff();
    void dailyRunOnlyOncePerDay();

private:
    struct Rig {
        explicit Rig(const QString& folder, TimeSyncSettings& settings)
            : paths(folder, QStringLiteral("Jan"), QString())
            , store(folder + QStringLiteral("/Ustawienia_Jan.ini"))
            , server(clock)
            , service({clock, paths, settings, store, interfaces, transport, setter, prompts, [this] { ++armed; }})
        {
            service.setTimeoutMs(150);
        }
        FakeClock clock{QDateTime(QDate(2026, 12, 9), QTime(3, 45, 12))};
        PathTable paths;
        SettingsStore store;
        test::FakeInterfaceProbe interfaces;
        UdpSntpTransport transport;
        FakeTimeSetter setter;
        BoxPrompts prompts; // real windows, found by the tests
        SntpTestServer server;
        int armed = 0;
        TimeSyncService service;
    };
    bool runAndWait(Rig& rig, const std::function<void()>& start);

    std::unique_ptr<QTemporaryDir> m_dir;
    TimeSyncSettings m_settings;
};

void TimeSyncServiceTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = TimeSyncSettings();
}

void TimeSyncServiceTest::cleanup()
{
    test::closeMessageWindows();
}

bool TimeSyncServiceTest::runAndWait(Rig& rig, const std::function<void()>& start)
{
    bool finished = false;
    const auto c = connect(&rig.service, &TimeSyncService::finished, this, [&] { finished = true; });
    start();
    const bool ok = QTest::qWaitFor([&] { return finished; }, 3000);
    disconnect(c);
    return ok;
}

void TimeSyncServiceTest::interactiveRunShowsAndStoresTheCorrection()
{
    m_settings.server = QStringLiteral("placeholder");
    Rig rig(m_dir->path(), m_settings);
    rig.server.setOffsetMs(-4200);
    rig.service.page()->findChild<QComboBox*>(QStringLiteral("ComboBox25"))->setEditText(rig.server.hostPort());
    QCOMPARE(m_settings.server, rig.server.hostPort());
    QVERIFY(runAndWait(rig, [&] { QCOMPARE(rig.service.synchronizeNow(), QString()); }));

    QCOMPARE(rig.setter.adjustments, std::vector<qint64>{-4200});
    QCOMPARE(m_settings.lastCorrection, 4);
    auto* correction = rig.service.page()->findChild<QLabel*>(QStringLiteral("CorrectionLabel"));
    QCOMPARE(correction->text(), QStringLiteral("4 sek."));
    QVERIFY(!correction->isHidden());
    // The fake clock stands still, so the time shown is the clock's.
    QCOMPARE(rig.service.page()->findChild<QLabel*>(QStringLiteral("LastSyncLabel"))->text(),
             QStringLiteral("środa, 9 grudnia 2026, 03:45:12"));
    const IniFile ini = IniFile::load(rig.store.path());
    QCOMPARE(ini.readInteger(QStringLiteral("Synchro"), QStringLiteral("Skorygowano"), -9), 4);
    QCOMPARE(ini.readString(QStringLiteral("Synchro"), QStringLiteral("Ostatnio")), QStringLiteral("09.12.2026 03:45:12"));
    QVERIFY(!ini.hasKey(QStringLiteral("Synchro"), QStringLiteral("Dzien")));
    QVERIFY(test::messageTexts().isEmpty());
}

void TimeSyncServiceTest::newProfileShowsNoCorrection()
{
    Rig rig(m_dir->path(), m_settings);
    QVERIFY(rig.service.page()->findChild<QLabel*>(QStringLiteral("CorrectionLabel"))->isHidden());
    QCOMPARE(rig.service.page()->findChild<QLabel*>(QStringLiteral("LastSyncLabel"))->text(), QStringLiteral("brak"));
}

void TimeSyncServiceTest::interactiveFailureSaysServerProblem()
{
    Rig rig(m_dir->path(), m_settings);
    rig.server.setAnswer(Answer::Leap3);
    m_settings.server = rig.server.hostPort();
    rig.service.page()->findChild<QComboBox*>(QStringLiteral("ComboBox25"))->setEditText(m_settings.server);
    QVERIFY(runAndWait(rig, [&] { rig.service.synchronizeNow(); }));
    QCOMPARE(test::messageWindows().size(), 1);
    QCOMPARE(test::messageWindows().constFirst()->objectName(), QStringLiteral("ServerProblem"));
    QCOMPARE(m_settings.lastCorrection, -1);
    QCOMPARE(rig.armed, 0); // interactive runs do not retry
}

void TimeSyncServiceTest::silentFailuresBackOff()
{
    m_settings.autoMode = 1;
    Rig rig(m_dir->path(), m_settings);
    rig.server.setAnswer(Answer::Silent);
    rig.service.page()->findChild<QComboBox*>(QStringLiteral("ComboBox25"))->setEditText(rig.server.hostPort());
    QVERIFY(runAndWait(rig, [&] { rig.service.runAtStart(rig.clock.now()); }));
    QCOMPARE(rig.armed, 1);
    QCOMPARE(rig.server.requests(), 1);
    QVERIFY(test::messageTexts().isEmpty()); // silent

    // The loop calls back 30 s later: the first retry is due.
    rig.clock.advanceMs(30000);
    QVERIFY(runAndWait(rig, [&] { rig.service.retry(rig.clock.now()); }));
    QCOMPARE(rig.server.requests(), 2);
    QCOMPARE(rig.armed, 2);
    // The next one waits 60 s: at 30 s it only re-arms.
    rig.clock.advanceMs(30000);
    rig.service.retry(rig.clock.now());
    QCOMPARE(rig.server.requests(), 2);
    QCOMPARE(rig.armed, 3);
    rig.clock.advanceMs(30000);
    rig.server.setAnswer(Answer::Good);
    QVERIFY(runAndWait(rig, [&] { rig.service.retry(rig.clock.now()); }));
    QCOMPARE(rig.server.requests(), 4);
    QCOMPARE(rig.armed, 3);
    QCOMPARE(rig.service.backoff().failures(), 0);
    QCOMPARE(m_settings.lastCorrection, 0);
}

void TimeSyncServiceTest::dailyRunOnlyOncePerDay()
{
    m_settings.autoMode = 2;
    Rig rig(m_dir->path(), m_settings);
    rig.service.page()->findChild<QComboBox*>(QStringLiteral("ComboBox25"))->setEditText(rig.server.hostPort());
    QVERIFY(runAndWait(rig, [&] { rig.service.runAtStart(rig.clock.now()); }));
    QCOMPARE(dateOf(m_settings.lastDailySync), rig.clock.now().date());
    QCOMPARE(IniFile::load(rig.store.path()).readString(QStringLiteral("Synchro"), QStringLiteral("Dzien")),
             QStringLiteral("09.12.2026"));
    // Started again the same day: nothing is asked.
    rig.service.runAtStart(rig.clock.now());
    QTest::qWait(50);
    QVERIFY(!rig.service.running());
    QCOMPARE(rig.server.requests(), 2);
}

QTEST_MAIN(TimeSyncServiceTest)
#include "tst_timesyncservice.moc"

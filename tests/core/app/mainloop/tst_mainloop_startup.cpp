#include "Rig.h"

#include <QTest>

#include <functional>

namespace zorvex {
using HookSetup = std::function<void(RecordingServices&)>;
} // namespace zorvex

Q_DECLARE_METATYPE(zorvex::HookSetup)

namespace zorvex {
namespace {

const QDateTime kStart = at(2026, 3, 10, 12, 0);

QStringList taskCalls(const RecordingServices& h)
{
    return h.only({"checkPingHosts", "checkMail", "synchroniseTime", "checkForUpdates", "resumePlaylist",
                   "protectTrayIcon", "autoplayRadio", "prepareStatusWindow", "evaluateReminders"});
}

} // namespace

class TestStartupTasks : public QObject {
    Q_OBJECT

private slots:
    void onceAndGatedByFadeIn_data();
    void onceAndGatedByFadeIn();
    void remindersWaitForTheirWindows();
    void updateCheckDue_data();
    void updateCheckDue();
    void timeSyncRetry();
    void updateRetry();
};

// Ten 50 ms ticks before the main window is shown, then the fade-in (51
// steps) and two seconds more.
void TestStartupTasks::onceAndGatedByFadeIn_data()
{
    QTest::addColumn<HookSetup>("setup");
    QTest::addColumn<QStringList>("beforeFadeIn");
    QTest::addColumn<QStringList>("afterFadeIn");

    const QStringList preparation = names({"prepareStatusWindow(ping)", "prepareStatusWindow(mail)"});

    QTest::newRow("everything on")
        << HookSetup([](RecordingServices& h) {
               h.pingAtStart = h.mailAtStart = h.updateOn = h.resumeOn = h.trayProtect = h.radioOn = h.station = true;
               h.pingHosts = 2;
               h.mailAccounts = 1;
               h.playlistEntries = 3;
               h.syncMode = TimeSyncMode::AtStart;
               h.lastSync = kStart.date(); // synchronising at every start ignores the day
               h.lastUpdate = kStart.addDays(-1);
               h.reminderWindows = true;
           })
        << names({"resumePlaylist", "autoplayRadio", "prepareStatusWindow(ping)", "prepareStatusWindow(mail)"})
        << names({"checkPingHosts", "checkMail", "synchroniseTime(now)", "checkForUpdates", "protectTrayIcon",
                  "evaluateReminders"});

    QTest::newRow("everything off") << HookSetup([](RecordingServices& h) { h.reminderWindows = true; }) << preparation
                                    << names({"evaluateReminders"});

    QTest::newRow("options on, lists empty")
        << HookSetup([](RecordingServices& h) {
               h.pingAtStart = h.mailAtStart = h.resumeOn = h.trayProtect = h.radioOn = true;
               h.trayShown = false; // "Brak ikony"
               h.reminderWindows = true;
           })
        << preparation << names({"evaluateReminders"});

    QTest::newRow("daily time sync, not yet today")
        << HookSetup([](RecordingServices& h) {
               h.syncMode = TimeSyncMode::Daily;
               h.lastSync = kStart.date().addDays(-1);
           })
        << preparation << names({"synchroniseTime(daily)"});

    QTest::newRow("daily time sync, done today")
        << HookSetup([](RecordingServices& h) {
               h.syncMode = TimeSyncMode::Daily;
               h.lastSync = kStart.date();
           })
        << preparation << QStringList();

    QTest::newRow("update check already made today")
        << HookSetup([](RecordingServices& h) {
               h.updateOn = true;
               h.lastUpdate = kStart.addSecs(-3600);
           })
        << preparation << QStringList();
}

void TestStartupTasks::onceAndGatedByFadeIn()
{
    QFETCH(HookSetup, setup);
    QFETCH(QStringList, beforeFadeIn);
    QFETCH(QStringList, afterFadeIn);

    Rig r(kStart);
    setup(r.services);
    r.run4(10);
    QCOMPARE(taskCalls(r.services), beforeFadeIn);

    r.services.calls.clear();
    r.loop->mainWindowShown({});
    r.run4(50);
    QVERIFY(!r.loop->fadeIn().complete());
    QCOMPARE(taskCalls(r.services), QStringList());
    r.run4(1);
    QVERIFY(r.loop->fadeIn().complete());
    QCOMPARE(taskCalls(r.services), afterFadeIn);

    r.run4(40);
    QCOMPARE(taskCalls(r.services), afterFadeIn);
}

void TestStartupTasks::remindersWaitForTheirWindows()
{
    Rig r(kStart);
    r.loop->mainWindowShown({});
    r.run4(60);
    QCOMPARE(r.services.count(QStringLiteral("evaluateReminders")), 0);
    QVERIFY(r.loop->startupTasks().pending(StartupTasks::RemindersAtStart));

    r.services.reminderWindows = true;
    r.run4(20);
    QCOMPARE(r.services.count(QStringLiteral("evaluateReminders")), 1);
    QVERIFY(r.loop->startupTasks().idle());
}

void TestStartupTasks::updateCheckDue_data()
{
    QTest::addColumn<bool>("weekly");
    QTest::addColumn<QDateTime>("last");
    QTest::addColumn<bool>("due");

    const QDateTime now = at(2026, 3, 10, 9, 0);
    QTest::newRow("daily, never checked") << false << QDateTime() << true;
    QTest::newRow("daily, this morning") << false << at(2026, 3, 10, 0, 1) << false;
    QTest::newRow("daily, late yesterday") << false << at(2026, 3, 9, 23, 59) << true;
    QTest::newRow("daily, later today (clock set back)") << false << at(2026, 3, 10, 18, 0) << false;
    QTest::newRow("weekly, 6 days 23 hours") << true << now.addSecs(-(7 * 86400 - 3600)) << false;
    QTest::newRow("weekly, exactly 7 days") << true << now.addDays(-7) << true;
    QTest::newRow("weekly, 6 days") << true << now.addDays(-6) << false;
    QTest::newRow("weekly, never checked") << true << QDateTime() << true;
    QTest::newRow("weekly, dated next year") << true << at(2027, 1, 1, 0, 0) << true;
}

void TestStartupTasks::updateCheckDue()
{
    QFETCH(bool, weekly);
    QFETCH(QDateTime, last);
    QFETCH(bool, due);
    QCOMPARE(zorvex::updateCheckDue(weekly, last, at(2026, 3, 10, 9, 0)), due);
}

void TestStartupTasks::timeSyncRetry()
{
    Rig r(kStart);
    r.services.syncMode = TimeSyncMode::AtStart;
    r.loop->armTimeSyncRetry();
    r.run4(599); // 29.95 s
    QCOMPARE(r.services.count(QStringLiteral("synchroniseTime")), 0);
    r.services.syncAvailable = false; // a run by hand is going on
    r.run4(10);
    QCOMPARE(r.services.count(QStringLiteral("synchroniseTime")), 0);
    QVERIFY(r.loop->startupTasks().timeSyncRetryArmed());
    r.services.syncAvailable = true;
    r.run4(1);
    QCOMPARE(r.services.only({"synchroniseTime"}), names({"synchroniseTime(now)"}));
    QVERIFY(!r.loop->startupTasks().timeSyncRetryArmed());
    r.run4(1000);
    QCOMPARE(r.services.count(QStringLiteral("synchroniseTime")), 1);

    // A failed retry arms it again: the next one is 30 seconds after that.
    r.loop->armTimeSyncRetry();
    r.services.syncMode = TimeSyncMode::Daily;
    r.services.lastSync = kStart.date().addDays(-1);
    r.run4(599);
    QCOMPARE(r.services.count(QStringLiteral("synchroniseTime")), 1);
    r.run4(1);
    QCOMPARE(r.services.only({"synchroniseTime"}), names({"synchroniseTime(now)", "synchroniseTime(daily)"}));
}

void TestStartupTasks::updateRetry()
{
    Rig r(kStart);
    r.loop->armUpdateRetry();
    r.run4(6100); // 305 s, but automatic checking is off
    QCOMPARE(r.services.count(QStringLiteral("checkForUpdates")), 0);
    r.services.updateOn = true;
    r.services.updateAvailable = false;
    r.run4(10);
    QCOMPARE(r.services.count(QStringLiteral("checkForUpdates")), 0);
    r.services.updateAvailable = true;
    r.run4(1);
    QCOMPARE(r.services.count(QStringLiteral("checkForUpdates")), 1);
    r.run4(6100);
    QCOMPARE(r.services.count(QStringLiteral("checkForUpdates")), 1);

    // A check by hand meanwhile makes the retry unnecessary.
    r.loop->armUpdateRetry();
    r.loop->dropUpdateRetry();
    r.run4(6100);
    QCOMPARE(r.services.count(QStringLiteral("checkForUpdates")), 1);
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestStartupTasks)
#include "tst_mainloop_startup.moc"

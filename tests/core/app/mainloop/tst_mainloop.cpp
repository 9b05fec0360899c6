#include "Rig.h"
#include "core/app/MainLoopMarker.h"

#include <QTest>

#include <functional>

namespace zorvex {
using Setup = std::function<void(Rig&)>;
} // namespace zorvex

Q_DECLARE_METATYPE(zorvex::Setup)

namespace zorvex {

class TestMainLoop : public QObject {
    Q_OBJECT

private slots:
    void scheduleTickOrder_data();
    void scheduleTickOrder();
    void dayChange_data();
    void dayChange();
    void autosaveInterval_data();
    void autosaveInterval();
    void disabledTaskKeepsItsReference();
    void clockSetBackRestartsIntervals();
    void handOffKeepsLastPath();
    void delayedWeatherRefresh_data();
    void delayedWeatherRefresh();
    void trayCloseAfterItsDelay();
    void alarmsOncePerSecond();
    void fadeIn_data();
    void fadeIn();
    void idle50msTickDoesNoRealWork();
    void statusAndBlinkTicks();
    void positionMarker_data();
    void positionMarker();
    void markerMovesOnlyOnChange();
    void untilNextSecond_data();
    void untilNextSecond();
    void fastTickComesOnlyWithWork();
};

// --- 800 ms tick ------------------------------------------------------------

void TestMainLoop::scheduleTickOrder_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("idle tick") << at(2026, 3, 10, 12, 0, 10) << Setup([](Rig& r) { r.clock.advanceMs(800); })
                               << names({"refreshForegroundFlag", "checkChime", "checkRecordingSplit"});

    QTest::newRow("without the Tools window only the first three steps")
        << at(2026, 3, 10, 12, 0, 10) << Setup([](Rig& r) {
               r.services.tools = false;
               r.services.area = QRect(0, 0, 1280, 1000);
               r.services.autosaveEnabled = true;
               r.services.receivedSlot = QStringLiteral("/tmp/a.zvx");
               r.loop->armTrayClose(QStringLiteral("E"), 0);
               r.clock.set(at(2026, 3, 11, 9, 0));
           })
        << names({"refreshForegroundFlag", "relayoutMainWindow", "closeDriveTray(E)"});

    QTest::newRow("minute change") << at(2026, 3, 10, 12, 0, 59, 500) << Setup([](Rig& r) { r.clock.advanceMs(800); })
                                   << names({"refreshForegroundFlag", "updateDayFacts", "checkChime",
                                                  "checkRecordingSplit"});

    QTest::newRow("every task due")
        << at(2026, 3, 10, 12, 0, 10) << Setup([](Rig& r) {
               RecordingServices& h = r.services;
               h.area = QRect(0, 0, 1920, 1000);
               r.loop->armTrayClose(QStringLiteral("E"), 5);
               h.wallpaperOn = h.pingOn = h.mailOn = h.autosaveEnabled = h.weatherAuto = true;
               h.wallpaperMinutes = h.pingMinutes = h.mailMinutes = h.autosaveMin = 60;
               h.hideOn[0] = h.hideOn[1] = h.statusShowing[0] = h.statusShowing[1] = true;
               h.weatherHours = 1;
               r.loop->scheduleWeatherRefresh(r.clock.now().addSecs(-300));
               h.receivedSlot = QStringLiteral("/tmp/b.zvxd");
               r.clock.set(at(2026, 3, 10, 13, 5));
           })
        << names({"refreshForegroundFlag", "relayoutMainWindow", "closeDriveTray(E)", "updateDayFacts",
                       "redrawMonth", "updateDayFacts", "checkChime", "changeWallpaper", "checkPingHosts",
                       "checkMail", "hideStatusWindow(ping)", "hideStatusWindow(mail)", "autosave", "refreshWeather",
                       "refreshWeather", "installReceivedFile(/tmp/b.zvxd)", "checkRecordingSplit"});

    QTest::newRow("nothing due one second short")
        << at(2026, 3, 10, 12, 0, 10) << Setup([](Rig& r) {
               RecordingServices& h = r.services;
               r.loop->armTrayClose(QStringLiteral("E"), 60);
               h.wallpaperOn = h.pingOn = h.mailOn = h.autosaveEnabled = h.weatherAuto = true;
               h.wallpaperMinutes = h.pingMinutes = h.mailMinutes = h.autosaveMin = 1;
               h.hideOn[0] = h.hideOn[1] = h.statusShowing[0] = h.statusShowing[1] = true;
               h.hideSeconds[0] = h.hideSeconds[1] = 60;
               r.loop->setReference(IntervalTask::WeatherIcon, r.clock.now().addSecs(-3600 + 60));
               r.loop->scheduleWeatherRefresh(r.clock.now().addSecs(-300 + 60));
               r.clock.advanceMs(4000);
               r.loop->scheduleTick();
               r.services.calls.clear();
               r.clock.set(at(2026, 3, 10, 12, 1, 9));
           })
        << names({"refreshForegroundFlag", "updateDayFacts", "checkChime", "checkRecordingSplit"});

    QTest::newRow("status window not showing is not hidden")
        << at(2026, 3, 10, 12, 0, 10) << Setup([](Rig& r) {
               r.services.hideOn[0] = r.services.hideOn[1] = true;
               r.services.statusShowing[1] = true;
               r.loop->statusWindowShown(StatusWindow::Mail);
               r.clock.advanceMs(5000);
           })
        << names({"refreshForegroundFlag", "checkChime", "hideStatusWindow(mail)", "checkRecordingSplit"});

    // The wallpaper is due, with a processor limit of 50 %.
    const auto wallpaperAtCpu = [](int cpu) {
        return Setup([cpu](Rig& r) {
            r.services.wallpaperOn = r.services.cpuLimitOn = true;
            r.services.cpu = cpu;
            r.services.cpuLimit = 50;
            r.clock.advanceMs(60 * 1000 + 400);
        });
    };
    QTest::newRow("busy processor skips the wallpaper")
        << at(2026, 3, 10, 12, 0, 0) << wallpaperAtCpu(50)
        << names({"refreshForegroundFlag", "updateDayFacts", "checkChime", "checkRecordingSplit"});

    QTest::newRow("processor below the limit")
        << at(2026, 3, 10, 12, 0, 0) << wallpaperAtCpu(49)
        << names({"refreshForegroundFlag", "updateDayFacts", "checkChime", "changeWallpaper",
                       "checkRecordingSplit"});

    QTest::newRow("weather icon refresh unavailable")
        << at(2026, 3, 10, 12, 0, 0) << Setup([](Rig& r) {
               r.services.weatherAuto = true;
               r.services.weatherAvailable = false;
               r.loop->scheduleWeatherRefresh(r.clock.now().addSecs(-300));
               r.clock.set(at(2026, 3, 10, 12, 0, 0).addSecs(3600));
           })
        << names({"refreshForegroundFlag", "updateDayFacts", "redrawMonth", "checkChime",
                       "checkRecordingSplit"});

    QTest::newRow("day change")
        << at(2026, 1, 1, 23, 59, 59, 600) << Setup([](Rig& r) {
               r.services.mouseOn = r.services.trafficOn = r.services.autosaveEnabled = r.services.weatherMidnight = true;
               r.clock.advanceMs(800);
           })
        << names({"refreshForegroundFlag",
                       "updateDayFacts",
                       "showTodaysMonth",
                       "rebuildScrollingText",
                       "startUptimeDay",
                       "rebuildWeatherDays",
                       "commitMouseDistance(2026-01-01)",
                       "commitTraffic(2026-01-01)",
                       "autosave",
                       "resetRemindersShownToday",
                       "evaluateReminders",
                       "refreshMailCheckCaption",
                       "updateDayFacts",
                       "redrawMonth",
                       "updateDayFacts",
                       "checkChime",
                       "checkRecordingSplit"});

    QTest::newRow("day change with the counters off")
        << at(2026, 1, 1, 23, 59, 59, 600) << Setup([](Rig& r) { r.clock.advanceMs(800); })
        << names({"refreshForegroundFlag",
                       "updateDayFacts",
                       "showTodaysMonth",
                       "rebuildScrollingText",
                       "startUptimeDay",
                       "rebuildWeatherDays",
                       "resetRemindersShownToday",
                       "evaluateReminders",
                       "refreshMailCheckCaption",
                       "updateDayFacts",
                       "redrawMonth",
                       "updateDayFacts",
                       "checkChime",
                       "checkRecordingSplit"});
}

void TestMainLoop::scheduleTickOrder()
{
    QFETCH(QDateTime, start);
    QFETCH(Setup, setup);
    QFETCH(QStringList, expected);

    Rig r(start);
    setup(r);
    r.loop->scheduleTick();
    QCOMPARE(r.services.calls, expected);
}

// The clock runs on 800 ms ticks from `start` to `pause`, jumps to `resume`
// (sleep, or a date set by hand) and runs on for a minute.
void TestMainLoop::dayChange_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("pause");
    QTest::addColumn<QDateTime>("resume");
    QTest::addColumn<QDate>("committedUnder");

    QTest::newRow("midnight while running")
        << at(2026, 1, 1, 23, 59, 0) << at(2026, 1, 2, 0, 0, 30) << at(2026, 1, 2, 0, 0, 30) << QDate(2026, 1, 1);
    QTest::newRow("midnight during sleep, resumed at 08:00")
        << at(2026, 1, 1, 23, 58, 0) << at(2026, 1, 1, 23, 59, 0) << at(2026, 1, 2, 8, 0) << QDate(2026, 1, 1);
    QTest::newRow("sleep over two midnights")
        << at(2026, 1, 1, 22, 0) << at(2026, 1, 1, 22, 1) << at(2026, 1, 3, 8, 0) << QDate(2026, 1, 1);
    QTest::newRow("date set back by a day")
        << at(2026, 1, 2, 12, 0) << at(2026, 1, 2, 12, 1) << at(2026, 1, 1, 12, 1) << QDate(2026, 1, 2);
    QTest::newRow("new year") << at(2025, 12, 31, 23, 59, 30) << at(2026, 1, 1, 0, 0, 30) << at(2026, 1, 1, 0, 0, 30)
                              << QDate(2025, 12, 31);
}

void TestMainLoop::dayChange()
{
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, pause);
    QFETCH(QDateTime, resume);
    QFETCH(QDate, committedUnder);

    Rig r(start);
    r.services.mouseOn = r.services.trafficOn = true;
    r.run2Until(pause);
    r.clock.set(resume);
    r.loop->scheduleTick();
    r.run2Until(resume.addSecs(60));

    QCOMPARE(r.services.count(QStringLiteral("showTodaysMonth")), 1);
    QCOMPARE(r.services.count(QStringLiteral("startUptimeDay")), 1);
    const QString day = committedUnder.toString(Qt::ISODate);
    QCOMPARE(r.services.only({"commitMouseDistance", "commitTraffic"}),
             QStringList({QStringLiteral("commitMouseDistance(%1)").arg(day), QStringLiteral("commitTraffic(%1)").arg(day)}));
    QCOMPARE(r.loop->rememberedDate(), resume.date());
}

// --- Interval tasks -----------------------------------------------------------

void TestMainLoop::autosaveInterval_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("minutes");
    QTest::addColumn<QList<int>>("secondsAfterCreation");

    QTest::newRow("AutoSaveMin = 1") << true << 1 << QList<int>{60, 120, 180};
    QTest::newRow("AutoSaveMin = 2") << true << 2 << QList<int>{120};
    QTest::newRow("AutoSave off") << false << 1 << QList<int>{};
    QTest::newRow("AutoSaveMin = 0 counts as a minute, not every tick") << true << 0 << QList<int>{60, 120, 180};
}

void TestMainLoop::autosaveInterval()
{
    QFETCH(bool, enabled);
    QFETCH(int, minutes);
    QFETCH(QList<int>, secondsAfterCreation);

    Rig r(at(2026, 3, 10, 12, 0));
    r.services.autosaveEnabled = enabled;
    r.services.autosaveMin = minutes;
    r.run2Until(at(2026, 3, 10, 12, 0, 4, 800));
    // The first interval starts with the Tools window, not with the process.
    const QDateTime created = r.clock.now();
    r.loop->toolsWindowCreated();
    r.run2Until(created.addSecs(200));

    QList<int> got;
    for (const QDateTime& t : r.services.autosaveTimes)
        got << int(created.msecsTo(t) / 1000);
    QCOMPARE(got, secondsAfterCreation);
    for (const QDateTime& t : r.services.autosaveTimes)
        QCOMPARE(created.msecsTo(t) % 1000, qint64(0));
}

void TestMainLoop::disabledTaskKeepsItsReference()
{
    Rig r(at(2026, 3, 10, 12, 0));
    r.services.autosaveEnabled = true;
    r.services.autosaveMin = 1;
    r.run2Until(at(2026, 3, 10, 12, 1, 10));
    QCOMPARE(r.services.autosaveTimes, QList<QDateTime>{at(2026, 3, 10, 12, 1)});

    r.services.autosaveEnabled = false;
    r.run2Until(at(2026, 3, 10, 12, 3));
    r.services.autosaveEnabled = true;
    r.run2Until(at(2026, 3, 10, 12, 3, 1));
    // Switched on again, it counts from its last run: overdue at once.
    QCOMPARE(r.services.autosaveTimes, (QList<QDateTime>{at(2026, 3, 10, 12, 1), at(2026, 3, 10, 12, 3, 0, 800)}));
}

void TestMainLoop::clockSetBackRestartsIntervals()
{
    Rig r(at(2026, 3, 10, 12, 0));
    r.services.pingOn = true;
    r.services.pingMinutes = 1;
    r.run2Until(at(2026, 3, 10, 12, 1, 10));
    QCOMPARE(r.services.count(QStringLiteral("checkPingHosts")), 1);

    // An hour back on the same day: the check waits one interval, not an hour.
    r.clock.set(at(2026, 3, 10, 11, 1, 10));
    r.loop->scheduleTick();
    QCOMPARE(r.services.count(QStringLiteral("checkPingHosts")), 1);
    r.run2Until(at(2026, 3, 10, 11, 2, 20));
    QCOMPARE(r.services.count(QStringLiteral("checkPingHosts")), 2);
}

void TestMainLoop::handOffKeepsLastPath()
{
    Rig r(at(2026, 3, 10, 12, 0));
    // A second and a third start within one period write the same slot.
    r.services.receivedSlot = QStringLiteral("/home/u/a.zvx");
    r.services.receivedSlot = QStringLiteral("/home/u/b.zvxd");
    r.run2Until(at(2026, 3, 10, 12, 0, 5));
    QCOMPARE(r.services.only({"installReceivedFile"}), names({"installReceivedFile(/home/u/b.zvxd)"}));
    QVERIFY(r.services.receivedSlot.isEmpty());
}

void TestMainLoop::delayedWeatherRefresh_data()
{
    QTest::addColumn<int>("random");
    QTest::newRow("r = 0: 270 s after midnight") << 0;
    QTest::newRow("r = 269: 1 s after midnight") << 269;
    QTest::newRow("r = 100") << 100;
}

void TestMainLoop::delayedWeatherRefresh()
{
    QFETCH(int, random);

    Rig r(at(2026, 1, 1, 23, 59, 59, 600));
    r.randomValue = random;
    r.services.weatherMidnight = true;
    r.run2Until(at(2026, 1, 2, 0, 0, 0, 400));
    const QDateTime detected = r.clock.now();
    QVERIFY(r.loop->weatherRefreshScheduled());

    r.run2Until(detected.addSecs(275));
    QCOMPARE(r.services.weatherRefreshTimes.size(), 1);
    const qint64 after = detected.msecsTo(r.services.weatherRefreshTimes.first());
    QVERIFY2(after >= (270 - random) * 1000 && after < (270 - random) * 1000 + 800, qPrintable(QString::number(after)));

    // Not cancelled: it repeats every 300 seconds; a refresh that cannot run
    // still moves the reference, so the next try is a whole period later.
    const QDateTime first = r.services.weatherRefreshTimes.first();
    r.services.weatherAvailable = false;
    r.run2Until(first.addSecs(301));
    r.services.weatherAvailable = true;
    r.run2Until(first.addSecs(601));
    QCOMPARE(r.services.weatherRefreshTimes.size(), 2);
    const qint64 gap = first.msecsTo(r.services.weatherRefreshTimes.last());
    QVERIFY(gap >= 600 * 1000 && gap < 601 * 1000);

    // A weather icon shown successfully cancels it.
    r.loop->cancelWeatherRefresh();
    r.run2Until(first.addSecs(1500));
    QCOMPARE(r.services.weatherRefreshTimes.size(), 2);
}

void TestMainLoop::trayCloseAfterItsDelay()
{
    Rig r(at(2026, 3, 10, 12, 0));
    r.services.tools = false;
    r.loop->armTrayClose(QStringLiteral("D"), 10);
    r.loop->armTrayClose(QStringLiteral("E"), 3); // replaces the first one
    r.run2Until(at(2026, 3, 10, 12, 0, 2, 400));
    QVERIFY(r.services.only({"closeDriveTray"}).isEmpty());
    r.run2Until(at(2026, 3, 10, 12, 0, 20));
    QCOMPARE(r.services.only({"closeDriveTray"}), names({"closeDriveTray(E)"}));
    QVERIFY(!r.loop->trayClosePending());
}

// --- 100 ms tick --------------------------------------------------------------

void TestMainLoop::alarmsOncePerSecond()
{
    Rig r(at(2026, 3, 10, 12, 0, 0, 50));
    for (int i = 0; i < 30; ++i) {
        r.clock.advanceMs(100);
        r.loop->secondTick();
    }
    QCOMPARE(r.services.calls, QStringList(4, QStringLiteral("evaluateAlarms")));

    // The same second after the clock went back a minute is a new second.
    r.clock.set(r.clock.now().addSecs(-60));
    r.loop->secondTick();
    QCOMPARE(r.services.count(QStringLiteral("evaluateAlarms")), 5);

    r.services.tools = false;
    r.clock.advanceMs(5000);
    r.loop->secondTick();
    QCOMPARE(r.services.count(QStringLiteral("evaluateAlarms")), 5);
}

// --- 50 ms tick ---------------------------------------------------------------

void TestMainLoop::fadeIn_data()
{
    QTest::addColumn<bool>("translucent");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("last");

    QTest::newRow("opaque") << false << 100 << false << 51 << 255;
    QTest::newRow("opaque, started in the tray") << false << 255 << true << 51 << 255;
    QTest::newRow("translucent 128") << true << 128 << false << 26 << 128;
    QTest::newRow("translucent 3") << true << 3 << true << 1 << 3;
}

void TestMainLoop::fadeIn()
{
    QFETCH(bool, translucent);
    QFETCH(int, level);
    QFETCH(bool, minimised);
    QFETCH(int, steps);
    QFETCH(int, last);

    Rig r(at(2026, 3, 10, 12, 0));
    r.run4(5);
    QVERIFY(r.services.only({"setOpacity"}).isEmpty()); // not shown yet
    QVERIFY(!r.loop->fadeIn().complete());

    r.loop->mainWindowShown({translucent, level, minimised});
    r.services.calls.clear();
    r.run4(steps - 1);
    QVERIFY(!r.loop->fadeIn().complete());
    r.run4(1);
    QVERIFY(r.loop->fadeIn().complete());
    r.run4(40);

    const QStringList fade = r.services.only({"setOpacity", "hideMainWindow", "switchAlphaBlendingOff"});
    QStringList expected;
    for (int i = 1; i <= steps; ++i) {
        expected << QStringLiteral("setOpacity(%1)").arg(std::min(i * 5, last));
        if (i == 1 && minimised)
            expected << QStringLiteral("hideMainWindow");
    }
    if (!translucent)
        expected << QStringLiteral("switchAlphaBlendingOff");
    QCOMPARE(fade, expected);
}

void TestMainLoop::idle50msTickDoesNoRealWork()
{
    Rig r(at(2026, 3, 10, 12, 0, 0, 10));
    r.services.reminderWindows = true;
    r.loop->mainWindowShown({});
    r.run4(60); // fade-in and start-up tasks done
    QVERIFY(r.loop->startupTasks().idle());

    r.clock.set(at(2026, 3, 10, 12, 0, 10, 0));
    r.services.calls.clear();
    r.run4(19); // 12:00:10.050 … 12:00:10.950: one second
    QStringList perTick;
    for (int i = 0; i < 19; ++i)
        perTick << QStringLiteral("sampleMouse") << QStringLiteral("sampleMemory");
    perTick.insert(0, QStringLiteral("zodiacDailyRefresh"));
    perTick.insert(0, QStringLiteral("setClockText(12:00:10)"));
    QCOMPARE(r.services.calls, perTick);

    r.services.calls.clear();
    r.run4(1);
    QCOMPARE(r.services.calls,
             (names({"setClockText(12:00:11)", "zodiacDailyRefresh", "sampleMouse", "sampleMemory"})));

    r.services.calls.clear();
    r.services.freeSpaceShowing = true;
    r.run4(1);
    QCOMPARE(r.services.calls, (names({"sampleMouse", "sampleMemory", "refreshFreeSpaceCard"})));
}

void TestMainLoop::statusAndBlinkTicks()
{
    Rig r(at(2026, 3, 10, 12, 0));
    r.loop->statusTick();
    r.services.uptimeShowing = true;
    r.loop->statusTick();
    r.loop->blinkTick();
    QCOMPARE(r.services.calls, (names({"sampleCpu", "refreshUptimePage", "sampleCpu", "toggleScrollLock"})));
}

void TestMainLoop::positionMarker_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QSize>("workArea");
    QTest::addColumn<QPoint>("expected");

    // Picture at (100, 200): the field is x 112…230, y 216…278.
    QTest::newRow("top-left corner") << QRect(0, 0, 147, 265) << QSize(1920, 1040) << QPoint(112, 216);
    QTest::newRow("bottom-right corner") << QRect(1773, 775, 147, 265) << QSize(1920, 1040) << QPoint(230, 278);
    QTest::newRow("middle") << QRect(886, 387, 147, 265) << QSize(1920, 1040) << QPoint(171, 247);
    QTest::newRow("partly off screen, kept inside")
        << QRect(-50, 2000, 147, 265) << QSize(1920, 1040) << QPoint(112, 278);
    QTest::newRow("window as wide and high as the work area")
        << QRect(0, 0, 800, 600) << QSize(800, 600) << QPoint(112, 216);
    QTest::newRow("window wider than the work area")
        << QRect(10, 10, 900, 700) << QSize(800, 600) << QPoint(112, 216);
}

void TestMainLoop::positionMarker()
{
    QFETCH(QRect, window);
    QFETCH(QSize, workArea);
    QFETCH(QPoint, expected);
    QCOMPARE(zorvex::positionMarker({QPoint(100, 200), window, workArea}), expected);
}

void TestMainLoop::markerMovesOnlyOnChange()
{
    Rig r(at(2026, 3, 10, 12, 0));
    r.services.layout = {QPoint(100, 200), QRect(0, 0, 147, 265), QSize(1920, 1040)};
    r.run4(3);
    QVERIFY(r.services.only({"movePositionMarker"}).isEmpty()); // page not showing

    r.services.markerShowing = true;
    r.run4(3);
    r.services.layout.window.moveTo(1773, 775);
    r.run4(3);
    QCOMPARE(r.services.only({"movePositionMarker"}),
             (names({"movePositionMarker(112,216)", "movePositionMarker(230,278)"})));

    // Shown again later, the marker is placed again.
    r.services.markerShowing = false;
    r.run4(1);
    r.services.markerShowing = true;
    r.run4(1);
    QCOMPARE(r.services.count(QStringLiteral("movePositionMarker")), 3);
}

// --- when the ticks come ----------------------------------------------------

void TestMainLoop::untilNextSecond_data()
{
    QTest::addColumn<qint64>("epochMs");
    QTest::addColumn<int>("expected");
    QTest::newRow("on the second") << qint64(1'700'000'000'000) << 1002;
    QTest::newRow("just after") << qint64(1'700'000'000'001) << 1001;
    QTest::newRow("midway") << qint64(1'700'000'000'500) << 502;
    QTest::newRow("just before") << qint64(1'700'000'000'999) << 3;
    QTest::newRow("before 1970") << qint64(-1'250) << 252;
}

void TestMainLoop::untilNextSecond()
{
    QFETCH(qint64, epochMs);
    QFETCH(int, expected);
    QCOMPARE(msUntilNextSecond(epochMs), expected);
}

void TestMainLoop::fastTickComesOnlyWithWork()
{
    Rig r(at(2026, 3, 10, 12, 0, 0, 10));
    r.services.reminderWindows = true;
    // Until the window has faded in and the start-up tasks ran, every 50 ms.
    QCOMPARE(r.loop->nextFastTickMs(), MainLoop::kFastTickMs);
    r.loop->mainWindowShown({});
    r.run4(20);
    QCOMPARE(r.loop->nextFastTickMs(), MainLoop::kFastTickMs);
    r.run4(40);
    QVERIFY(r.loop->startupTasks().idle());

    // Then only at the clock's change, just after the next whole second.
    r.clock.set(at(2026, 3, 10, 12, 0, 10, 300));
    QCOMPARE(r.loop->nextFastTickMs(), 702);
    QCOMPARE(r.loop->nextSecondTickMs(), 702);

    // What still moves keeps the full rate.
    r.services.mouseOn = true;
    QCOMPARE(r.loop->nextFastTickMs(), MainLoop::kFastTickMs);
    r.services.mouseOn = false;
    r.services.markerShowing = true;
    QCOMPARE(r.loop->nextFastTickMs(), MainLoop::kFastTickMs);
    r.services.markerShowing = false;

    // A retry waits half a minute or more: a second's delay is nothing to it.
    r.loop->armTimeSyncRetry();
    QCOMPARE(r.loop->nextFastTickMs(), 702);

    // A tick of the coalesced clock still sees the new second and sets it.
    r.services.calls.clear();
    r.clock.set(at(2026, 3, 10, 12, 0, 11, 2));
    r.loop->fastTick();
    QCOMPARE(r.services.only({"setClockText"}), names({"setClockText(12:00:11)"}));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestMainLoop)
#include "tst_mainloop.moc"

#include "RecordingServices.h"
#include "core/app/MainLoop.h"
#include "core/app/Shutdown.h"
#include "support/FakeClock.h"

#include <QTest>
#include <QTimeZone>

namespace zorvex {
namespace {

const QDate kToday(2026, 3, 10);

const QStringList kSavingSequence = names({"savePlaylistResumePoint", "saveSettings", "closeSecondaryWindows",
                                           "commitMouseDistance(2026-03-10)", "commitTraffic(2026-03-10)",
                                           "deleteAutosave", "writeExitValues", "abortNetworkWork",
                                           "unregisterHotKeys", "stopRecording"});

void allOn(RecordingServices& h)
{
    h.playing = h.resumeOn = h.toolsShowing = h.mouseOn = h.trafficOn = true;
}

} // namespace

class TestShutdown : public QObject {
    Q_OBJECT

private slots:
    void order_data();
    void order();
    void throwingStepDoesNotStopTheNext_data();
    void throwingStepDoesNotStopTheNext();
    void anyExceptionIsCaught();
    void shutdownEndsTheTicks();
};

void TestShutdown::order_data()
{
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("on");
    QTest::addColumn<QStringList>("expected");

    const QStringList head = names({"markClosing", "unloadSchemeFonts", "stopTimers"});
    const QStringList tail = names({"endApplication"});

    QTest::newRow("every option on") << false << true << head + kSavingSequence + tail;
    QTest::newRow("options off, Tools window hidden")
        << false << false
        << head
            + names({"closeSecondaryWindows", "deleteAutosave", "writeExitValues", "abortNetworkWork",
                     "unregisterHotKeys", "stopRecording"})
            + tail;
    QTest::newRow("right after a settings restore") << true << true << head + tail;
}

void TestShutdown::order()
{
    QFETCH(bool, restored);
    QFETCH(bool, on);
    QFETCH(QStringList, expected);

    RecordingServices h;
    LoopRegistry registry;
    h.registerWith(registry);
    if (on)
        allOn(h);
    const auto failures = runShutdown(registry, kToday, restored);
    QVERIFY(failures.empty());
    QCOMPARE(h.calls, expected);
}

void TestShutdown::throwingStepDoesNotStopTheNext_data()
{
    QTest::addColumn<QString>("failing");
    QTest::newRow("first step") << QStringLiteral("markClosing");
    QTest::newRow("settings save") << QStringLiteral("saveSettings");
    QTest::newRow("mouse distance") << QStringLiteral("commitMouseDistance");
    QTest::newRow("last step") << QStringLiteral("endApplication");
}

void TestShutdown::throwingStepDoesNotStopTheNext()
{
    QFETCH(QString, failing);

    RecordingServices h;
    LoopRegistry registry;
    h.registerWith(registry);
    allOn(h);
    h.throwing.insert(failing);
    const auto failures = runShutdown(registry, kToday, false);

    QCOMPARE(h.calls, names({"markClosing", "unloadSchemeFonts", "stopTimers"}) + kSavingSequence
                          + names({"endApplication"}));
    QCOMPARE(failures.size(), std::size_t(1));
    QCOMPARE(failures.front().step, failing);
    QVERIFY2(failures.front().text().contains(failing) && failures.front().text().contains(QStringLiteral("awaria")),
             qPrintable(failures.front().text()));
}

void TestShutdown::anyExceptionIsCaught()
{
    QStringList ran;
    const std::vector<ShutdownStep> steps = {
        {QStringLiteral("a"), [&] { ran << QStringLiteral("a"); throw 42; }},
        {QStringLiteral("b"), [&] { ran << QStringLiteral("b"); }},
    };
    const auto failures = runShutdownSteps(steps);
    QCOMPARE(ran, names({"a", "b"}));
    QCOMPARE(failures.size(), std::size_t(1));
    QCOMPARE(failures.front().step, QStringLiteral("a"));
}

void TestShutdown::shutdownEndsTheTicks()
{
    // Closed just after midnight, before the 800 ms tick saw the new day:
    // the counters go to today's date.
    FakeClock clock(QDateTime(QDate(2026, 3, 9), QTime(23, 59, 59, 900), QTimeZone::utc()));
    RecordingServices h;
    h.mouseOn = true;
    MainLoop loop(clock, h);
    h.registerWith(loop.services());
    clock.set(QDateTime(kToday, QTime(0, 0, 0, 100), QTimeZone::utc()));
    loop.shutdown(false);
    QVERIFY(loop.closing());
    QCOMPARE(h.only({"commitMouseDistance"}), names({"commitMouseDistance(2026-03-10)"}));

    h.calls.clear();
    clock.advanceMs(5000);
    loop.secondTick();
    loop.scheduleTick();
    loop.statusTick();
    loop.fastTick();
    loop.blinkTick();
    QVERIFY(h.calls.isEmpty());
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestShutdown)
#include "tst_mainloop_shutdown.moc"

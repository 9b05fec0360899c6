#include "core/app/ProcessPriority.h"
#include "platform/ProcessPriority.h"

#include <QTest>

#include <cerrno>
#include <future>
#include <thread>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

Q_DECLARE_METATYPE(zorvex::PriorityClass)

namespace zorvex {
namespace {

class RecordingSetter : public PrioritySetter {
public:
    QList<PriorityClass> applied;
    bool leaveIdle = true;
    void apply(PriorityClass p) override { applied << p; }
    bool canLeaveIdle() const override { return leaveIdle; }
};

int niceOf(id_t thread)
{
    errno = 0;
    const int n = getpriority(PRIO_PROCESS, thread);
    return errno ? 1000 : n;
}

} // namespace

class TestProcessPriority : public QObject {
    Q_OBJECT

private slots:
    void rule_data();
    void rule();
    void automaticFollowsBusyTasks();
    void fixedModesIgnoreBusyTasks();
    void automaticStaysNormalWhereIdleIsForever();
    void linuxSetterReachesEveryThread();
};

void TestProcessPriority::rule_data()
{
    QTest::addColumn<int>("priorytet");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<PriorityClass>("expected");

    QTest::newRow("high") << 0 << false << PriorityClass::High;
    QTest::newRow("normal") << 1 << false << PriorityClass::Normal;
    QTest::newRow("low, even while busy") << 2 << true << PriorityClass::Idle;
    QTest::newRow("automatic, nothing busy") << 3 << false << PriorityClass::Idle;
    QTest::newRow("automatic, busy") << 3 << true << PriorityClass::Normal;
}

void TestProcessPriority::rule()
{
    QFETCH(int, priorytet);
    QFETCH(bool, busy);
    QFETCH(PriorityClass, expected);
    QCOMPARE(priorityFor(priorytet, busy), expected);
}

void TestProcessPriority::automaticFollowsBusyTasks()
{
    RecordingSetter setter;
    ProcessPriority priority(setter);

    // Reports before the Tools window applies the setting are kept.
    priority.setBusy(kBusyRadio, true);
    QVERIFY(setter.applied.isEmpty());
    priority.setMode(3);
    QCOMPARE(setter.applied, QList<PriorityClass>{PriorityClass::Normal});

    priority.setBusy(kBusyMailCheck, true);
    priority.setBusy(kBusyRadio, true); // reported twice: still one task
    priority.setBusy(kBusyRadio, false);
    QCOMPARE(setter.applied, QList<PriorityClass>{PriorityClass::Normal});
    QCOMPARE(priority.busyTasks(), QStringList{QString(kBusyMailCheck)});
    priority.setBusy(kBusyMailCheck, false);
    QCOMPARE(setter.applied, (QList<PriorityClass>{PriorityClass::Normal, PriorityClass::Idle}));
    priority.setBusy(kBusyWeather, false); // never started
    QCOMPARE(setter.applied.size(), 2);
    priority.setBusy(kBusyPlaylist, true);
    QCOMPARE(setter.applied.last(), PriorityClass::Normal);

    // An out-of-range setting is the automatic default.
    priority.setMode(9);
    QCOMPARE(priority.mode(), 3);
    QCOMPARE(setter.applied.size(), 3);
}

void TestProcessPriority::fixedModesIgnoreBusyTasks()
{
    RecordingSetter setter;
    ProcessPriority priority(setter);
    priority.setMode(2);
    priority.setBusy(kBusyRadio, true);
    priority.setBusy(kBusyRadio, false);
    QCOMPARE(setter.applied, QList<PriorityClass>{PriorityClass::Idle});
    priority.setMode(0);
    priority.setBusy(kBusyTimeSync, true);
    QCOMPARE(setter.applied, (QList<PriorityClass>{PriorityClass::Idle, PriorityClass::High}));
    // Switching to automatic while a task works goes straight to normal.
    priority.setMode(3);
    QCOMPARE(setter.applied.last(), PriorityClass::Normal);
}

void TestProcessPriority::automaticStaysNormalWhereIdleIsForever()
{
    RecordingSetter setter;
    setter.leaveIdle = false;
    ProcessPriority priority(setter);
    priority.setMode(3);
    priority.setBusy(kBusyRadio, true);
    priority.setBusy(kBusyRadio, false);
    QCOMPARE(setter.applied, QList<PriorityClass>{PriorityClass::Normal});
    // Asked for explicitly, the low priority is still given.
    priority.setMode(2);
    QCOMPARE(setter.applied.last(), PriorityClass::Idle);
}

// Runs last in this process: an unprivileged process cannot come back from
// nice 19, and nothing after it needs to.
void TestProcessPriority::linuxSetterReachesEveryThread()
{
    if (niceOf(0) != 0)
        QSKIP("the test process does not start at nice 0");

    std::promise<id_t> started;
    std::promise<void> finish;
    std::thread worker([&] {
        started.set_value(id_t(syscall(SYS_gettid)));
        finish.get_future().wait();
    });
    const id_t other = started.get_future().get();
    const id_t self = id_t(syscall(SYS_gettid));

    LinuxPrioritySetter setter;
    setter.apply(PriorityClass::High);
    const int high = niceOf(self);
    QVERIFY2(high == -5 || high == 0, qPrintable(QString::number(high)));
    QCOMPARE(niceOf(other), high);

    setter.apply(PriorityClass::Normal);
    QCOMPARE(niceOf(self), 0);
    QCOMPARE(niceOf(other), 0);

    setter.apply(PriorityClass::Idle);
    QCOMPARE(niceOf(self), 19);
    QCOMPARE(niceOf(other), 19);

    if (setter.canLeaveIdle()) {
        setter.apply(PriorityClass::Normal);
        QCOMPARE(niceOf(self), 0);
        QCOMPARE(niceOf(other), 0);
    }

    finish.set_value();
    worker.join();
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestProcessPriority)
#include "tst_mainloop_priority.moc"

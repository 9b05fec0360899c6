// What a firing alarm does in the running program: its message windows,
// its program and its balloon, with the check going on meanwhile.

#include "core/common/Clock.h"
#include "core/common/PathTable.h"
#include "core/media/BassPlaySet.h"
#include "core/reminders/AlarmEntry.h"
#include "support/FakeAudioLibrary.h"
#include "support/FakeClock.h"
#include "ui/app/MainWindow.h"
#include "ui/app/TrayIcon.h"
#include "ui/reminders/AlarmPage.h"
#include "ui/common/Messages.h"
#include "ui/reminders/AlarmService.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <limits>
#include <memory>

using namespace zorvex;

namespace {

const QDate kDay(2026, 3, 2);

AlarmEntry onceAt(int hour, int minute)
{
    AlarmEntry e;
    e.recurrence = AlarmRecurrence::Once;
    e.setDate(kDay);
    e.hour = hour;
    e.minute = minute;
    return e;
}

AlarmEntry messageAt(int hour, int minute, const QString& text)
{
    AlarmEntry e = onceAt(hour, minute);
    e.messageKind = AlarmMessageKind::Box;
    e.message = text;
    e.icon = AlarmIcon::Information;
    return e;
}

// A data folder with an alarm file, the players and a main window for the
// tray icon: what the program gives the alarms.
struct Rig {
    explicit Rig(const QList<AlarmEntry>& alarms)
        : clock(QDateTime(kDay, QTime(9, 59, 50)))
        , paths(dir.path() + QLatin1Char('/'), QStringLiteral("Jan"), dir.filePath(QStringLiteral("Sentencje.ini")))
        , players(audio)
        , main(paths)
    {
        AlarmFile::save(paths.path(PathId::Alarm), alarms);
        service = std::make_unique<AlarmService>(clock, paths, players, main.trayIcon(), prompts);
        page.reset(service->page());
    }
    void tickAt(const QTime& t)
    {
        clock.set(QDateTime(kDay, t));
        service->tick();
    }

    QTemporaryDir dir;
    FakeClock clock;
    PathTable paths;
    FakeAudioLibrary audio;
    BassPlaySet players;
    BoxPrompts prompts; // the alarm messages are real windows here
    MainWindow main;
    std::unique_ptr<AlarmService> service;
    std::unique_ptr<AlarmPage> page;
};

QList<QMessageBox*> alarmMessages()
{
    QList<QMessageBox*> out;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            out << box;
    }
    return out;
}

// A box that runs its own loop inside the tick would hold the test: close
// it from outside and remember that it happened.
class NestedLoopGuard : public QObject {
public:
    NestedLoopGuard()
    {
        m_timer.setInterval(200);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                m_seen = true;
                modal->close();
            }
        });
        m_timer.start();
    }
    bool seen() const { return m_seen; }

private:
    QTimer m_timer;
    bool m_seen = false;
};

} // namespace

class TestAlarmService : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        for (QMessageBox* box : alarmMessages())
            delete box;
    }

    void openMessageKeepsTheCheckGoing();
    void programCommandLines_data();
    void programCommandLines();
    void balloonStaysAndTakesItsType_data();
    void balloonStaysAndTakesItsType();
};

void TestAlarmService::openMessageKeepsTheCheckGoing()
{
    // The second alarm has no "run late": it fires only within ten seconds
    // of 10:01, while the first one's message is still open.
    Rig rig({messageAt(10, 0, QStringLiteral("Pierwszy")), messageAt(10, 1, QStringLiteral("Drugi"))});
    NestedLoopGuard guard;

    rig.tickAt(QTime(10, 0, 2));
    QVERIFY(!guard.seen());
    QCOMPARE(alarmMessages().size(), 1);
    QMessageBox* first = alarmMessages().front();
    QCOMPARE(first->text(), QStringLiteral("Pierwszy"));
    QCOMPARE(first->windowTitle(), QStringLiteral("Informacja"));
    QCOMPARE(first->windowModality(), Qt::NonModal);
    QVERIFY(first->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    rig.tickAt(QTime(10, 1, 5));
    QVERIFY(!guard.seen());
    QStringList texts;
    for (QMessageBox* box : alarmMessages())
        texts << box->text();
    texts.sort();
    QCOMPARE(texts, (QStringList{QStringLiteral("Drugi"), QStringLiteral("Pierwszy")}));
    const QList<AlarmEntry>& alarms = rig.page->alarms();
    QVERIFY(!alarms.at(0).active);
    QVERIFY(!alarms.at(1).active);
    // Both are stored as done, so a restart does not fire them again.
    const QList<AlarmEntry> stored = AlarmFile::load(rig.paths.path(PathId::Alarm));
    QVERIFY(!stored.at(0).active && !stored.at(1).active);

    // Closing a message window takes only that one.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(alarmMessages().size(), 1);
    QCOMPARE(alarmMessages().front()->text(), QStringLiteral("Drugi"));
}

void TestAlarmService::programCommandLines_data()
{
    QTest::addColumn<QString>("commandLine"); // "%D" is the folder with a blank
    QTest::addColumn<QString>("written");     // what the program leaves, or empty when none runs
    QTest::newRow("unquoted path with a blank") << QStringLiteral("%D/zapisz.sh pierwszy drugi")
                                                << QStringLiteral("pierwszy drugi");
    QTest::newRow("quoted path with a blank") << QStringLiteral("\"%D/zapisz.sh\" \"jeden argument\"")
                                              << QStringLiteral("jeden argument");
    QTest::newRow("path alone") << QStringLiteral("%D/zapisz.sh") << QString();
    QTest::newRow("program that cannot start") << QStringLiteral("%D/brak programu") << QStringLiteral("-");
}

void TestAlarmService::programCommandLines()
{
    QFETCH(QString, commandLine);
    QFETCH(QString, written);

    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Moje programy"));
    QVERIFY(QDir().mkpath(folder));
    const QString out = dir.filePath(QStringLiteral("wynik.txt"));
    {
        QFile script(folder + QStringLiteral("/zapisz.sh"));
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$*\" > '" + QFile::encodeName(out) + "'\n");
        script.close();
        script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
    AlarmEntry e = onceAt(10, 0);
    e.programOn = true;
    e.program = QString(commandLine).replace(QStringLiteral("%D"), folder);
    Rig rig({e});
    NestedLoopGuard guard;

    rig.tickAt(QTime(10, 0, 1));

    QVERIFY(!rig.page->alarms().front().active);
    if (written == QLatin1String("-")) {
        // Passed over without a word on the screen.
        QTest::qWait(300);
        QVERIFY(!guard.seen());
        QVERIFY(alarmMessages().isEmpty());
        QVERIFY(!QFile::exists(out));
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out) && QFileInfo(out).size() > 0, 5000);
    QFile result(out);
    QVERIFY(result.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(result.readAll()).trimmed(), written);
}

void TestAlarmService::balloonStaysAndTakesItsType_data()
{
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("type");
    QTest::newRow("Brak") << 0 << QStringLiteral("Komunikat") << int(QSystemTrayIcon::NoIcon);
    QTest::newRow("Wykrzyknik") << 1 << QStringLiteral("Ostrzeżenie") << int(QSystemTrayIcon::Warning);
    QTest::newRow("Informacja") << 2 << QStringLiteral("Informacja") << int(QSystemTrayIcon::Information);
    QTest::newRow("Pytanie") << 3 << QStringLiteral("Pytanie") << int(QSystemTrayIcon::Information);
    QTest::newRow("Ostrzeżenie") << 4 << QStringLiteral("Ostrzeżenie") << int(QSystemTrayIcon::Critical);
}

void TestAlarmService::balloonStaysAndTakesItsType()
{
    QFETCH(int, icon);
    QFETCH(QString, caption);
    QFETCH(int, type);
    AlarmEntry e = onceAt(10, 0);
    e.messageKind = AlarmMessageKind::Balloon;
    e.message = QStringLiteral("Wyjdź z psem");
    e.icon = AlarmIcon(icon);
    Rig rig({e});
    QVERIFY(rig.main.trayIcon()->shown());

    rig.tickAt(QTime(10, 0, 0));

    const BalloonRequest& b = rig.main.trayIcon()->lastBalloon();
    QCOMPARE(b.title, caption);
    QCOMPARE(b.text, QStringLiteral("Wyjdź z psem"));
    QCOMPARE(int(b.icon), type);
    // Until the user clicks it.
    QCOMPARE(b.milliseconds, std::numeric_limits<int>::max());
}

QTEST_MAIN(TestAlarmService)
#include "tst_alarm_service.moc"

// The instance lock, the hand-off channel and the signal watcher, each with
// a second real process (instance_peer) on the other side.

#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>

using namespace zorvex;

class TestInstancePlatform : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lockIsOneProcessAtATime();
    void lockDiesWithItsHolder();
    void handOff_data();
    void handOff();
    void undeliveredHandOffFails();
    void endingHolderLeavesTheNextOnesChannel();
    void crashedHoldersSocketIsReplaced();
    void signalEndsTheLoopInOrder_data();
    void signalEndsTheLoopInOrder();

private:
    QProcess* peer(const QStringList& args);
    bool waitForLine(QProcess* p, const QString& line, int ms = 5000);
    QString lockPath() const { return m_dir->filePath(QStringLiteral("instance.lock")); }
    QString socketPath() const { return m_dir->filePath(QStringLiteral("instance.sock")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QList<QProcess*> m_peers;
    QHash<QProcess*, QString> m_out;
};

void TestInstancePlatform::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestInstancePlatform::cleanup()
{
    for (QProcess* p : std::as_const(m_peers)) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(3000);
        }
        delete p;
    }
    m_peers.clear();
    m_out.clear();
}

QProcess* TestInstancePlatform::peer(const QStringList& args)
{
    auto* p = new QProcess;
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    connect(p, &QProcess::readyReadStandardOutput, this,
            [this, p] { m_out[p] += QString::fromUtf8(p->readAllStandardOutput()); });
    p->start(QStringLiteral(INSTANCE_PEER), args);
    m_peers << p;
    return p;
}

bool TestInstancePlatform::waitForLine(QProcess* p, const QString& line, int ms)
{
    QElapsedTimer t;
    t.start();
    do {
        m_out[p] += QString::fromUtf8(p->readAllStandardOutput());
        if (m_out.value(p).split(QLatin1Char('\n')).contains(line))
            return true;
        QTest::qWait(20);
    } while (t.elapsed() < ms);
    qWarning() << "peer said:" << m_out.value(p);
    return false;
}

void TestInstancePlatform::lockIsOneProcessAtATime()
{
    InstanceLock mine(lockPath());
    QVERIFY(mine.tryAcquire());
    QProcess* other = peer({QStringLiteral("lock"), lockPath()});
    QVERIFY(waitForLine(other, QStringLiteral("busy")));

    mine.release();
    QProcess* next = peer({QStringLiteral("lock"), lockPath()});
    QVERIFY(waitForLine(next, QStringLiteral("held")));
    QVERIFY(!mine.tryAcquire());
}

void TestInstancePlatform::lockDiesWithItsHolder()
{
    QProcess* holder = peer({QStringLiteral("lock"), lockPath()});
    QVERIFY(waitForLine(holder, QStringLiteral("held")));
    InstanceLock mine(lockPath());
    QVERIFY(!mine.tryAcquire());
    holder->kill(); // no chance to let go in order
    QVERIFY(holder->waitForFinished(3000));
    QVERIFY(mine.tryAcquire());
}

void TestInstancePlatform::handOff_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("backup with Polish letters") << QStringLiteral("/home/ala/Kopie zapasowe/łódź.zvx");
    QTest::newRow("station") << QStringLiteral("http://radio.example/stream\xFFRadio Żak");
    QTest::newRow("nothing: show the window") << QString();
}

void TestInstancePlatform::handOff()
{
    QFETCH(QString, text);
    InstanceServer server(socketPath());
    QVERIFY(server.listen());
    QSignalSpy received(&server, &InstanceServer::received);
    QSignalSpy show(&server, &InstanceServer::showRequested);

    QProcess* sender = peer({QStringLiteral("send"), socketPath(), text});
    QTRY_VERIFY(sender->state() == QProcess::NotRunning);
    QCOMPARE(sender->exitCode(), 0);
    if (text.isEmpty()) {
        QCOMPARE(show.size(), 1);
        QCOMPARE(received.size(), 0);
    } else {
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.front().front().toString(), text);
        QCOMPARE(show.size(), 0);
    }
}

void TestInstancePlatform::undeliveredHandOffFails()
{
    // Nobody listens (a holder that hung before listening, or none at all).
    QProcess* sender = peer({QStringLiteral("send"), socketPath(), QStringLiteral("http://radio.example/")});
    QVERIFY(sender->waitForFinished(10000));
    QCOMPARE(sender->exitCode(), 1);
}

void TestInstancePlatform::endingHolderLeavesTheNextOnesChannel()
{
    // The old instance holds the lock and listens; the one let in after a
    // restore waits for the lock.
    QProcess* old = peer({QStringLiteral("serve"), lockPath(), socketPath()});
    QVERIFY(waitForLine(old, QStringLiteral("listening")));
    InstanceLock lock(lockPath());
    InstanceServer next(socketPath());
    QVERIFY(!lock.tryAcquire());

    // The old one ends; the new one takes over the moment the lock is free.
    ::kill(old->processId(), SIGTERM);
    QTRY_VERIFY_WITH_TIMEOUT(lock.tryAcquire(), 5000);
    QVERIFY(next.listen());
    QTRY_COMPARE(old->state(), QProcess::NotRunning);
    QCOMPARE(old->exitStatus(), QProcess::NormalExit);

    QSignalSpy received(&next, &InstanceServer::received);
    QProcess* sender = peer({QStringLiteral("send"), socketPath(), QStringLiteral("/tmp/a.zvx")});
    QTRY_VERIFY(sender->state() == QProcess::NotRunning);
    QCOMPARE(sender->exitCode(), 0);
    QCOMPARE(received.size(), 1);
    QVERIFY(QFile::exists(socketPath()));
}

void TestInstancePlatform::crashedHoldersSocketIsReplaced()
{
    QProcess* old = peer({QStringLiteral("serve"), lockPath(), socketPath()});
    QVERIFY(waitForLine(old, QStringLiteral("listening")));
    old->kill();
    QVERIFY(old->waitForFinished(3000));
    QVERIFY(QFile::exists(socketPath())); // left behind

    InstanceLock lock(lockPath());
    QVERIFY(lock.tryAcquire());
    InstanceServer next(socketPath());
    QVERIFY(next.listen());
    QSignalSpy show(&next, &InstanceServer::showRequested);
    QProcess* sender = peer({QStringLiteral("send"), socketPath(), QString()});
    QTRY_VERIFY(sender->state() == QProcess::NotRunning);
    QCOMPARE(sender->exitCode(), 0);
    QCOMPARE(show.size(), 1);
}

void TestInstancePlatform::signalEndsTheLoopInOrder_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("beforeTheLoop");
    QTest::newRow("SIGTERM") << int(SIGTERM) << false;
    QTest::newRow("SIGINT") << int(SIGINT) << false;
    QTest::newRow("SIGHUP") << int(SIGHUP) << false;
    QTest::newRow("SIGTERM before the loop runs") << int(SIGTERM) << true;
}

void TestInstancePlatform::signalEndsTheLoopInOrder()
{
    QFETCH(int, signal);
    QFETCH(bool, beforeTheLoop);
    QStringList args{QStringLiteral("signals")};
    if (beforeTheLoop)
        args << QStringLiteral("early");
    QProcess* p = peer(args);
    QVERIFY(waitForLine(p, QStringLiteral("ready")));
    if (!beforeTheLoop)
        ::kill(p->processId(), signal);
    QVERIFY(waitForLine(p, QStringLiteral("signal %1").arg(signal)));
    QTRY_COMPARE(p->state(), QProcess::NotRunning);
    // Ended by its own loop, not by the signal.
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestInstancePlatform)
#include "tst_instance_platform.moc"

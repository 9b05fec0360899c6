// Runs the real program as two or three processes sharing one data folder
// and one runtime folder, the way a user double-clicks it twice.

#include "core/common/IniFile.h"
#include "platform/InstanceLock.h"
#include "platform/SystemServices.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <unistd.h>

using namespace zorvex;

// logind as the program sees it on the system bus: it hands out delay locks
// and announces the shutdown.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int inhibitCalls = 0;

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString&, const QString&, const QString&, const QString&)
    {
        ++inhibitCalls;
        int fds[2];
        if (::pipe(fds) != 0)
            return {};
        QDBusUnixFileDescriptor fd(fds[1]);
        ::close(fds[0]);
        ::close(fds[1]);
        return fd;
    }
};

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartWritesSettings();
    void secondStartExitsSilently();
    void secondStartHandsOver_data();
    void secondStartHandsOver();
    void blokujPermitsOneMoreInstance();
    void terminationSavesAndExits();
    void missingNameDaysStops();
    void handOffReachesTheInstanceLetInAfterARestore();
    void undeliveredHandOffSaysSo();
    void announcedSystemShutdownSaves();
    void lostDisplaySaves();
    void signalDuringTheUpdatedQuestionEndsTheProgram();

private:
    QProcess* start(const QStringList& args = {}, const QProcessEnvironment& extra = {});
    // Starts a server for the program and returns the first line it prints
    // (empty when it could not start).
    QString startServer(const QString& program, const QStringList& args);
    // A private X server; empty when none could start.
    QString startDisplay();
    // A private message bus standing in for the system bus.
    QString startBus();
    // An autosave record to be deleted and a position to be written by the
    // orderly shutdown; savedInOrder() checks both.
    void plantShutdownMarks();
    bool savedInOrder();
    QString autosavePath() const;
    bool waitForOutput(QProcess* p, const QString& text, int ms = 10000);
    QString settingsPath() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QList<QProcess*> m_procs;
    QList<QProcess*> m_servers; // X server and bus, ended after the program
    QHash<QProcess*, QString> m_output;
};

void TestSingleInstance::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_data = m_dir->filePath(QStringLiteral("data"));
    QDir().mkpath(m_data);
    QDir().mkpath(m_dir->filePath(QStringLiteral("rt")));
    QFile::setPermissions(m_dir->filePath(QStringLiteral("rt")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    for (const char* name : {"Imieniny.ini", "Sentencje.ini"}) {
        QFile f(QDir(m_data).filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[1]\r\n1=x\r\n");
    }
}

void TestSingleInstance::cleanup()
{
    for (QProcess* p : m_procs + m_servers) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
        delete p;
    }
    m_procs.clear();
    m_servers.clear();
    m_output.clear();
}

QProcess* TestSingleInstance::start(const QStringList& args, const QProcessEnvironment& extra)
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir->filePath(QStringLiteral("rt")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZORVEX_REPORT_STARTUP"), QStringLiteral("1"));
    // No system bus unless a test brings its own.
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/zorvex-test"));
    env.remove(QStringLiteral("ZORVEX_DATA_DIR"));
    env.insert(extra);
    p->setProcessEnvironment(env);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    connect(p, &QProcess::readyReadStandardError, this,
            [this, p] { m_output[p] += QString::fromLocal8Bit(p->readAllStandardError()); });
    p->start(QStringLiteral(ZORVEX_BINARY), QStringList{QStringLiteral("--data-dir"), m_data} + args);
    m_procs << p;
    return p;
}

bool TestSingleInstance::waitForOutput(QProcess* p, const QString& text, int ms)
{
    m_output[p] += QString::fromLocal8Bit(p->readAllStandardError());
    QElapsedTimer t;
    t.start();
    do {
        if (m_output.value(p).contains(text))
            return true;
        QTest::qWait(20);
    } while (t.elapsed() < ms);
    qWarning() << "output so far:" << m_output.value(p);
    return false;
}

QString TestSingleInstance::settingsPath() const
{
    QString login = LinuxSystemServices().loginName();
    if (login.isEmpty())
        login = QStringLiteral("Uzytkownik");
    return QDir(m_data).filePath(QStringLiteral("Ustawienia_") + login + QStringLiteral(".ini"));
}

void TestSingleInstance::firstStartWritesSettings()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    const IniFile ini = IniFile::load(settingsPath());
    QCOMPARE(ini.readString(QStringLiteral("Vuzuvured"), QStringLiteral("Priorytet")), QStringLiteral("2"));
    QCOMPARE(ini.readString(QStringLiteral("Ustawienia"), QStringLiteral("AutoSaveMin")), QStringLiteral("10"));
    QCOMPARE(ini.readString(QStringLiteral("Vuzuvured"), QStringLiteral("M24")), QStringLiteral("-1"));
}

void TestSingleInstance::secondStartExitsSilently()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    QProcess* b = start();
    QVERIFY(b->waitForFinished(10000));
    QCOMPARE(b->exitStatus(), QProcess::NormalExit);
    QCOMPARE(b->exitCode(), 0);
    // It never got as far as loading settings or opening a window.
    QVERIFY(!m_output.value(b).contains(QStringLiteral("Ustawienia wczytane")));
    QCOMPARE(a->state(), QProcess::Running);
}

void TestSingleInstance::secondStartHandsOver_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QString>("expected");
    // The running instance takes each one as the desktop would hand it
    // over: the restore asks first, a broken package is refused, and the
    // radio favourites are not there yet.
    QTest::newRow("settings backup") << QStringLiteral("kopia.zvx")
                                     << QStringLiteral("Czy na pewno przywrócić wybraną kopię zapasową ustawień?");
    QTest::newRow("add-on upper case") << QStringLiteral("dodatek.ZVXD")
                                       << QStringLiteral("Zorvex - Błąd: Wybrany plik jest uszkodzony!");
    // A stream address joins the favourites, written at once.
    QTest::newRow("radio address") << QStringLiteral("http://radio.example/stream") << QString();
}

void TestSingleInstance::secondStartHandsOver()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    if (!argument.startsWith(QLatin1String("http"))) {
        argument = m_dir->filePath(argument);
        QFile f(argument);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    QProcess* b = start({argument});
    QVERIFY(b->waitForFinished(20000));
    QCOMPARE(b->exitCode(), 0);
    if (expected.isEmpty()) {
        QTest::qWait(1500); // within one 800 ms period, with slack
        a->terminate();
        QVERIFY(a->waitForFinished(10000));
        const QStringList files = QDir(m_data).entryList({QStringLiteral("RadioU_*")}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QFile f(QDir(m_data).filePath(files.first()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readAll().contains("\xffhttp://radio.example/stream\r\n"));
        return;
    }
    // Taken within one 800 ms period (with slack for a loaded machine).
    QVERIFY(waitForOutput(a, expected, 3000));
}

void TestSingleInstance::blokujPermitsOneMoreInstance()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    const QString ruch = QDir(m_data).filePath(QStringLiteral("Ruch.ini"));
    IniFile ini;
    ini.writeString(QStringLiteral("Ruch"), QStringLiteral("01.12.2026"), QStringLiteral("1234"));
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), 0);
    QVERIFY(ini.save(ruch));

    QProcess* b = start();
    QVERIFY(waitForOutput(b, QStringLiteral("Ustawienia wczytane")));
    QCOMPARE(b->state(), QProcess::Running);
    const IniFile after = IniFile::load(ruch);
    QCOMPARE(after.readString(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj")), QStringLiteral("1"));
    // The odometer's own data is left alone.
    QCOMPARE(after.readString(QStringLiteral("Ruch"), QStringLiteral("01.12.2026")), QStringLiteral("1234"));

    QProcess* c = start();
    QVERIFY(c->waitForFinished(20000));
    QCOMPARE(c->exitCode(), 0);
    QVERIFY(!m_output.value(c).contains(QStringLiteral("Ustawienia wczytane")));
}

QString TestSingleInstance::autosavePath() const
{
    const QString login = QFileInfo(settingsPath()).completeBaseName().mid(QStringLiteral("Ustawienia_").size());
    return QDir(m_data).filePath(QStringLiteral("Autozapis_") + login + QStringLiteral(".ini"));
}

void TestSingleInstance::plantShutdownMarks()
{
    // An autosave record from an earlier run is used up at start; plant a new
    // one to see the orderly shutdown delete it.
    QFile f(autosavePath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x|y|1|2|3\r\n");
    f.close();
    IniFile before = IniFile::load(settingsPath());
    before.deleteKey(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"));
    QVERIFY(before.save(settingsPath()));
}

bool TestSingleInstance::savedInOrder()
{
    const IniFile ini = IniFile::load(settingsPath());
    return !QFile::exists(autosavePath()) && ini.hasKey(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"));
}

QString TestSingleInstance::startServer(const QString& program, const QStringList& args)
{
    auto* server = new QProcess;
    m_servers << server;
    server->start(program, args);
    if (!server->waitForStarted(5000))
        return {};
    QByteArray line;
    QElapsedTimer t;
    t.start();
    while (!line.contains('\n') && t.elapsed() < 10000 && server->state() == QProcess::Running) {
        server->waitForReadyRead(200);
        line += server->readAllStandardOutput();
    }
    return QString::fromUtf8(line.trimmed());
}

QString TestSingleInstance::startDisplay()
{
    const QString number =
        startServer(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                             QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                             QStringLiteral("1024x768x24")});
    return number.isEmpty() ? QString() : QStringLiteral(":") + number;
}

QString TestSingleInstance::startBus()
{
    return startServer(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
}

void TestSingleInstance::terminationSavesAndExits()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    plantShutdownMarks();

    a->terminate(); // SIGTERM
    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitStatus(), QProcess::NormalExit);
    QCOMPARE(a->exitCode(), 0);
    QVERIFY(savedInOrder());

    // The instance is gone, so the next start runs.
    QProcess* b = start();
    QVERIFY(waitForOutput(b, QStringLiteral("Ustawienia wczytane")));
}

void TestSingleInstance::missingNameDaysStops()
{
    const QString imieniny = QDir(m_data).filePath(QStringLiteral("Imieniny.ini"));
    QVERIFY(QFile::remove(imieniny));
    QProcess* a = start();
    a->closeWriteChannel();
    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitCode(), 1);
    QVERIFY(waitForOutput(a, QStringLiteral("Zorvex - Błąd: Plik nie istnieje: ") + imieniny, 0));
    QVERIFY(!QFile::exists(settingsPath()));
}

void TestSingleInstance::handOffReachesTheInstanceLetInAfterARestore()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    IniFile ini;
    ini.writeInteger(QStringLiteral("Vuzuvured"), QStringLiteral("Blokuj"), 0);
    QVERIFY(ini.save(QDir(m_data).filePath(QStringLiteral("Ruch.ini"))));
    QProcess* b = start();
    QVERIFY(waitForOutput(b, QStringLiteral("Ustawienia wczytane")));

    // The old instance ends as it does after a restore; the new one stays.
    a->terminate();
    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(b->state(), QProcess::Running);

    // Every later hand-off goes to the one that is left, not only the first:
    // each one asks its restore question once.
    const QString question = QStringLiteral("Czy na pewno przywrócić wybraną kopię zapasową ustawień?");
    int asked = 0;
    for (const char* name : {"pierwsza.zvx", "druga.zvx"}) {
        const QString backup = m_dir->filePath(QString::fromLatin1(name));
        QFile f(backup);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QProcess* c = start({backup});
        QVERIFY(c->waitForFinished(20000));
        QCOMPARE(c->exitCode(), 0);
        ++asked;
        QTRY_COMPARE_WITH_TIMEOUT((m_output[b] += QString::fromLocal8Bit(b->readAllStandardError())).count(question),
                                  asked, 3000);
    }
}

void TestSingleInstance::undeliveredHandOffSaysSo()
{
    // An instance holds the marker but its channel is gone (hung, or taking
    // over): the hand-off cannot be delivered.
    const QString folder = m_dir->filePath(QStringLiteral("rt/zorvex"));
    QVERIFY(QDir().mkpath(folder));
    InstanceLock held(folder + QStringLiteral("/instance.lock"));
    QVERIFY(held.tryAcquire());

    QProcess* c = start({QStringLiteral("http://radio.example/stream")});
    QVERIFY(c->waitForFinished(30000));
    QCOMPARE(c->exitStatus(), QProcess::NormalExit);
    QVERIFY(c->exitCode() != 0);
    QVERIFY(waitForOutput(c, QStringLiteral("Nie udało się przekazać do uruchomionego programu Zorvex: "
                                            "http://radio.example/stream"),
                          0));
}

void TestSingleInstance::announcedSystemShutdownSaves()
{
    const QString address = startBus();
    if (address.isEmpty())
        QSKIP("dbus-daemon is not available");
    QDBusConnection bus = QDBusConnection::connectToBus(address, QStringLiteral("fake-system"));
    QVERIFY(bus.isConnected());
    FakeLogind logind;
    QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.login1")));
    QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind, QDBusConnection::ExportAllSlots));

    QProcessEnvironment env;
    env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
    QProcess* a = start({}, env);
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    // Watching from the moment it asks for its delay lock.
    QTRY_VERIFY_WITH_TIMEOUT(logind.inhibitCalls > 0, 10000);
    plantShutdownMarks();

    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
        QStringLiteral("PrepareForShutdown"));
    signal << true;
    QVERIFY(bus.send(signal));

    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitStatus(), QProcess::NormalExit);
    QCOMPARE(a->exitCode(), 0);
    QVERIFY(savedInOrder());
    QDBusConnection::disconnectFromBus(QStringLiteral("fake-system"));
}

void TestSingleInstance::lostDisplaySaves()
{
    const QString display = startDisplay();
    if (display.isEmpty())
        QSKIP("Xvfb is not available");
    QProcessEnvironment env;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    QProcess* a = start({}, env);
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane"), 20000));
    QTest::qWait(500); // the window is up and the loop runs
    plantShutdownMarks();

    // The X server goes away with the session: no signal reaches the program.
    QProcess* x = m_servers.front();
    x->terminate();
    QVERIFY(x->waitForFinished(20000));

    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitStatus(), QProcess::NormalExit);
    QVERIFY(savedInOrder());
}

void TestSingleInstance::signalDuringTheUpdatedQuestionEndsTheProgram()
{
    const QString display = startDisplay();
    if (display.isEmpty())
        QSKIP("Xvfb is not available");
    QProcessEnvironment env;
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("DISPLAY"), display);
    QProcess* a = start({QStringLiteral("updated")}, env);
    QVERIFY(waitForOutput(a, QStringLiteral("Zorvex - Aktualizacja: Aktualizacja zakończona pomyślnie."), 20000));
    plantShutdownMarks();

    a->terminate(); // while the question is open
    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitStatus(), QProcess::NormalExit);
    QCOMPARE(a->exitCode(), 0);
    QVERIFY(savedInOrder());
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

// Runs the real program as two or three processes sharing one data folder
// and one runtime folder, the way a user double-clicks it twice.

#include "core/common/IniFile.h"
#include "platform/System.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace zorvex;

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

private:
    QProcess* start(const QStringList& args = {});
    bool waitForOutput(QProcess* p, const QString& text, int ms = 10000);
    QString settingsPath() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QList<QProcess*> m_procs;
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
    for (QProcess* p : std::as_const(m_procs)) {
        if (p->state() != QProcess::NotRunning) {
            p->kill();
            p->waitForFinished(5000);
        }
        delete p;
    }
    m_procs.clear();
    m_output.clear();
}

QProcess* TestSingleInstance::start(const QStringList& args)
{
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir->filePath(QStringLiteral("rt")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ZORVEX_REPORT_STARTUP"), QStringLiteral("1"));
    env.remove(QStringLiteral("ZORVEX_DATA_DIR"));
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
    QString login = loginName();
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
    QTest::newRow("settings backup") << QStringLiteral("kopia.zvx")
                                     << QStringLiteral("Kopia zapasowa ustawień do przywrócenia: ");
    QTest::newRow("add-on upper case") << QStringLiteral("dodatek.ZVXD") << QStringLiteral("Dodatek do zainstalowania: ");
    QTest::newRow("radio address") << QStringLiteral("http://radio.example/stream")
                                   << QStringLiteral("Stacja radiowa: http://radio.example/stream");
}

void TestSingleInstance::secondStartHandsOver()
{
    QFETCH(QString, argument);
    QFETCH(QString, expected);
    if (!argument.startsWith(QLatin1String("http"))) {
        argument = m_dir->filePath(argument);
        QFile f(argument);
        QVERIFY(f.open(QIODevice::WriteOnly));
        expected += argument;
    }
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    QProcess* b = start({argument});
    QVERIFY(b->waitForFinished(10000));
    QCOMPARE(b->exitCode(), 0);
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
    QVERIFY(c->waitForFinished(10000));
    QCOMPARE(c->exitCode(), 0);
    QVERIFY(!m_output.value(c).contains(QStringLiteral("Ustawienia wczytane")));
}

void TestSingleInstance::terminationSavesAndExits()
{
    QProcess* a = start();
    QVERIFY(waitForOutput(a, QStringLiteral("Ustawienia wczytane")));
    // An autosave record from an earlier run is used up at start; plant a new
    // one to see the orderly shutdown delete it.
    QString login = QFileInfo(settingsPath()).completeBaseName().mid(QStringLiteral("Ustawienia_").size());
    const QString autosave = QDir(m_data).filePath(QStringLiteral("Autozapis_") + login + QStringLiteral(".ini"));
    {
        QFile f(autosave);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("x|y|1|2|3\r\n");
    }
    IniFile before = IniFile::load(settingsPath());
    before.deleteKey(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX"));
    QVERIFY(before.save(settingsPath()));

    a->terminate(); // SIGTERM
    QVERIFY(a->waitForFinished(10000));
    QCOMPARE(a->exitStatus(), QProcess::NormalExit);
    QCOMPARE(a->exitCode(), 0);
    QVERIFY(!QFile::exists(autosave));
    const IniFile ini = IniFile::load(settingsPath());
    QVERIFY(ini.hasKey(QStringLiteral("Vuzuvured"), QStringLiteral("PozycjaX")));

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

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"

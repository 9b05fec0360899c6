// Runs the real program over data folders holding what users and accidents
// leave there: a FIFO or a huge file in place of a data file, a count far
// beyond the file, the temporary of a killed save; and a picture run that
// must leave every file as it was.

#include "platform/SystemServices.h"
#include "support/FileFixture.h"
#include "support/ProgramRun.h"

#include <QDirIterator>
#include <QMap>

#include <memory>

using namespace zorvex;

namespace {

QString profile()
{
    const QString login = LinuxSystemServices().loginName();
    return login.isEmpty() ? QStringLiteral("Uzytkownik") : login;
}

// Every file below `folder` with its bytes (a FIFO or folder by its kind).
QMap<QString, QByteArray> snapshot(const QString& folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        out.insert(QDir(folder).relativeFilePath(path),
                   info.isDir() ? QByteArray("<folder>") : info.isFile() ? test::fileBytes(path) : QByteArray("<other>"));
    }
    return out;
}

} // namespace

class TestDataFiles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void hostileFileDoesNotStopTheStart_data();
    void hostileFileDoesNotStopTheStart();
    void staleTemporaryIsRemovedAtStart();
    void pictureRunLeavesEveryFile();

private:
    QString dataFile(const QString& name) const { return m_run->dataFile(name); }

    std::unique_ptr<test::ProgramRun> m_run;
};

void TestDataFiles::init()
{
    m_run = std::make_unique<test::ProgramRun>();
    QVERIFY(m_run->valid());
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Imieniny.ini")), "[1]\r\n1=Mieczys\xb3\x61wy\r\n"));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Sentencje.ini")), "[1]\r\n1=Zdanie.\r\n"));
}

void TestDataFiles::cleanup()
{
    m_run.reset();
}

void TestDataFiles::hostileFileDoesNotStopTheStart_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("said");

    const QString notAFile = QStringLiteral("to nie jest zwykły plik");
    const QString tooLarge = QStringLiteral("jest większy niż 16 MB");
    const QString settings = QStringLiteral("Ustawienia_") + profile() + QStringLiteral(".ini");
    QTest::newRow("FIFO for the name days") << QStringLiteral("Imieniny.ini") << QStringLiteral("fifo") << notAFile;
    QTest::newRow("FIFO for the sentences") << QStringLiteral("Sentencje.ini") << QStringLiteral("fifo") << notAFile;
    QTest::newRow("FIFO for the persons") << QStringLiteral("Osoby.ini") << QStringLiteral("fifo") << notAFile;
    QTest::newRow("FIFO for the settings") << settings << QStringLiteral("fifo") << notAFile;
    QTest::newRow("huge name days") << QStringLiteral("Imieniny.ini") << QStringLiteral("huge") << tooLarge;
    QTest::newRow("huge persons") << QStringLiteral("Osoby.ini") << QStringLiteral("huge") << tooLarge;
    QTest::newRow("huge settings") << settings << QStringLiteral("huge") << tooLarge;
    QTest::newRow("huge count of persons") << QStringLiteral("Osoby.ini") << QStringLiteral("count") << QString();
    QTest::newRow("huge count of important days") << QStringLiteral("Uroczystosci.ini") << QStringLiteral("count")
                                                  << QString();
}

// The program starts, says what it passed over, leaves the file as it was
// and ends in order on SIGTERM.
void TestDataFiles::hostileFileDoesNotStopTheStart()
{
    QFETCH(QString, file);
    QFETCH(QString, what);
    QFETCH(QString, said);

    const QString path = dataFile(file);
    QFile::remove(path);
    QByteArray content;
    if (what == QLatin1String("fifo")) {
        QVERIFY(test::makeFifo(path));
    } else if (what == QLatin1String("huge")) {
        QVERIFY(test::makeSparseFile(path, 20 * 1024 * 1024));
    } else {
        const QByteArray section = file.startsWith(QLatin1String("Osoby")) ? "Osoby" : "Uroczystosci";
        content = "[" + section + "]\r\nIle=2000000000\r\n";
        QVERIFY(test::writeFile(path, content));
    }

    QProcess* p = m_run->start();
    QVERIFY(m_run->waitForOutput(p, QStringLiteral("Ustawienia wczytane")));
    if (!said.isEmpty())
        QVERIFY(m_run->waitForOutput(p, said));
    // Past the start: the window is built and the month drawn with its marks.
    QTest::qWait(500);
    p->terminate();
    QVERIFY(p->waitForFinished(10000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    const QFileInfo after(path);
    if (what == QLatin1String("fifo"))
        QVERIFY(after.exists() && !after.isFile());
    else if (what == QLatin1String("huge"))
        QCOMPARE(after.size(), 20 * 1024 * 1024);
    else
        QCOMPARE(test::fileBytes(path), content);
}

void TestDataFiles::staleTemporaryIsRemovedAtStart()
{
    // What a save killed between naming and renaming its copy leaves.
    const QString stale = dataFile(QStringLiteral("Osoby.ini.zorvex-Ab3dE9"));
    const QString usersCopy = dataFile(QStringLiteral("Osoby.ini.backup"));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Osoby.ini")), "[Osoby]\r\nIle=0\r\n"));
    QVERIFY(test::writeFile(stale, "[Osoby]\r\nIle=1\r\n"));
    QVERIFY(test::writeFile(usersCopy, "[Osoby]\r\nIle=2\r\n"));

    QProcess* p = m_run->start();
    QVERIFY(m_run->waitForOutput(p, QStringLiteral("Ustawienia wczytane")));
    QVERIFY(!QFileInfo::exists(stale));
    QCOMPARE(test::fileBytes(usersCopy), QByteArray("[Osoby]\r\nIle=2\r\n"));
    QCOMPARE(test::fileBytes(dataFile(QStringLiteral("Osoby.ini"))), QByteArray("[Osoby]\r\nIle=0\r\n"));
}

void TestDataFiles::pictureRunLeavesEveryFile()
{
    const QString p = profile();
    // Each of these would be changed by a normal start: the menu list is
    // missing, the autosave record is used up, an older private line gets a
    // year, a legacy alarm file moves, a stale temporary goes.
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Ustawienia_") + p + QStringLiteral(".ini")),
                            "[Vuzuvured]\r\nPozycjaX=5\r\n[Ustawienia]\r\nAutoSave=1\r\n"));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Autozapis_") + p + QStringLiteral(".ini")),
                            "01.01.2026 10:00:00|01.01.2026 11:00:00|1|2|3\r\n"));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Prywatne_") + p + QStringLiteral(".ini")),
                            "Stara linia\xff" "5\xff" "7\r\n"));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Alarm.ini")), ""));
    QVERIFY(test::writeFile(dataFile(QStringLiteral("Osoby.ini.zorvex-Ab3dE9")), "x"));
    const QMap<QString, QByteArray> before = snapshot(m_run->dataFolder());

    for (const QString& page : {QString(), QStringLiteral("35")}) {
        const QString picture = m_run->outside(QStringLiteral("okno%1.png").arg(page));
        QStringList args{QStringLiteral("--screenshot"), picture};
        if (!page.isEmpty())
            args << QStringLiteral("--page") << page;
        QProcess* run = m_run->start(args);
        QVERIFY(run->waitForFinished(30000));
        QCOMPARE(run->exitCode(), 0);
        QVERIFY(QFileInfo(picture).size() > 0);
        const QMap<QString, QByteArray> after = snapshot(m_run->dataFolder());
        QCOMPARE(after.keys(), before.keys());
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(), qPrintable(it.key()));
    }
}

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"

#include "core/common/Cp1250.h"
#include "core/desktop/DiscCatalogue.h"
#include "core/desktop/DiscMount.h"

#include "support/FileFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace zorvex;
using test::writeFile;

Q_DECLARE_METATYPE(QList<zorvex::DiscRow>)

namespace {

QByteArray megabytes(int n)
{
    return QByteArray(n * 1048576, '\0');
}

} // namespace

class TestDiscCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void scanRules_data();
    void scanRules();
    void rowOrderAndHeaders();
    void linkedFoldersNotEntered();
    void cancelStopsEarly();
    void catalogueFile();
    void captionAndClipboard();
    void mountCommands_data();
    void mountCommands();

private:
    QTemporaryDir m_dir;
    QString m_root; // .../Gry
    QList<DiscRow> m_rows;
};

void TestDiscCatalogue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_root = m_dir.filePath(QStringLiteral("Gry"));
    const QString r = m_root + QLatin1Char('/');
    QVERIFY(writeFile(r + QStringLiteral("game.ccd")));
    QVERIFY(writeFile(r + QStringLiteral("game.img"), megabytes(2)));
    QVERIFY(writeFile(r + QStringLiteral("game.sub")));
    QVERIFY(writeFile(r + QStringLiteral("a.cue")));
    QVERIFY(writeFile(r + QStringLiteral("a.ccd")));
    QVERIFY(writeFile(r + QStringLiteral("a.bin"), megabytes(1)));
    QVERIFY(writeFile(r + QStringLiteral("Ślub.ISO"), megabytes(3)));
    QVERIFY(writeFile(r + QStringLiteral("film.mds")));
    QVERIFY(writeFile(r + QStringLiteral("FILM.MDF"), megabytes(1)));
    QVERIFY(writeFile(r + QStringLiteral("lone.ccd"), "x"));
    QVERIFY(writeFile(r + QStringLiteral("readme.txt")));
    QVERIFY(writeFile(r + QStringLiteral("iso")));
    QVERIFY(writeFile(r + QStringLiteral("Sub/Deeper/x.nrg"), megabytes(1)));
    QVERIFY(writeFile(r + QStringLiteral("sub2/zdjęcia.Img")));
    // A folder link back to the top, and a file link, which counts.
    QVERIFY(QFile::link(m_root, r + QStringLiteral("Sub/loop")));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("outside/far.iso")), megabytes(1)));
    QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("outside/far.iso")), r + QStringLiteral("link.iso")));
    QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("outside")), r + QStringLiteral("outside-link")));

    DiscScanState state;
    m_rows = scanImageFolders({m_root, m_dir.filePath(QStringLiteral("missing"))}, state);
}

void TestDiscCatalogue::scanRules_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mounted"); // relative to the searched folder, empty: no row
    QTest::addColumn<qint64>("sizeMb");
    QTest::newRow("ccd mounts its img, img itself skipped") << QStringLiteral("GRY - game") << QStringLiteral("game.img") << qint64(2);
    QTest::newRow("cue wins over ccd, mounts bin") << QStringLiteral("GRY - a") << QStringLiteral("a.bin") << qint64(1);
    QTest::newRow("polish lower case") << QStringLiteral("GRY - ślub") << QStringLiteral("Ślub.ISO") << qint64(3);
    QTest::newRow("mds mounts mdf of any case") << QStringLiteral("GRY - film") << QStringLiteral("FILM.MDF") << qint64(1);
    QTest::newRow("ccd without data file") << QStringLiteral("GRY - lone") << QStringLiteral("lone.ccd") << qint64(0);
    QTest::newRow("subfolder path upper-cased") << QStringLiteral("SUB/DEEPER - x") << QStringLiteral("Sub/Deeper/x.nrg") << qint64(1);
    QTest::newRow("polish folder name") << QStringLiteral("SUB2 - zdjęcia") << QStringLiteral("sub2/zdjęcia.Img") << qint64(0);
    QTest::newRow("file link counts") << QStringLiteral("GRY - link") << QStringLiteral("link.iso") << qint64(1);
}

void TestDiscCatalogue::scanRules()
{
    QFETCH(QString, name);
    QFETCH(QString, mounted);
    QFETCH(qint64, sizeMb);
    QList<DiscRow> found;
    for (const DiscRow& r : m_rows)
        if (r.name == name)
            found << r;
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].path, m_root + QLatin1Char('/') + mounted);
    QCOMPARE(found[0].sizeMb, sizeMb);
}

void TestDiscCatalogue::rowOrderAndHeaders()
{
    // Headers for both folders, the missing one empty; images only once each.
    QCOMPARE(m_rows.first(), (DiscRow{m_root, QString(), -1}));
    QCOMPARE(m_rows.last(), (DiscRow{m_dir.filePath(QStringLiteral("missing")), QString(), -1}));
    QCOMPARE(m_rows.size(), 2 + 8);
    for (const DiscRow& r : m_rows)
        QVERIFY2(!r.path.endsWith(QLatin1String("game.ccd")) && !r.path.endsWith(QLatin1String("a.ccd"))
                     && !r.path.endsWith(QLatin1String("readme.txt")),
                 qPrintable(r.path));
}

void TestDiscCatalogue::linkedFoldersNotEntered()
{
    for (const DiscRow& r : m_rows) {
        QVERIFY2(!r.path.contains(QLatin1String("/loop/")), qPrintable(r.path));
        QVERIFY2(!r.path.contains(QLatin1String("outside-link")), qPrintable(r.path));
    }
    // A linked folder chosen as the searched folder itself is searched.
    DiscScanState state;
    const QList<DiscRow> rows = scanImageFolders({m_root + QStringLiteral("/outside-link")}, state);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1].name, QStringLiteral("OUTSIDE-LINK - far"));
}

void TestDiscCatalogue::cancelStopsEarly()
{
    QTemporaryDir big;
    for (int i = 0; i < 400; ++i)
        QVERIFY(writeFile(big.filePath(QStringLiteral("d%1/e/img%1.iso").arg(i, 3, 10, QLatin1Char('0')))));
    DiscScanState full;
    const QList<DiscRow> all = scanImageFolders({big.path()}, full);
    QCOMPARE(all.size(), 401);

    DiscScanState before;
    before.cancel();
    QVERIFY(scanImageFolders({big.path()}, before).isEmpty());

    DiscScanState state;
    QList<DiscRow> partial;
    QThread* worker = QThread::create([&] { partial = scanImageFolders({big.path()}, state); });
    worker->start();
    QTRY_VERIFY_WITH_TIMEOUT(!state.currentFolder().isEmpty() || worker->isFinished(), 5000);
    state.cancel();
    QVERIFY(worker->wait(5000));
    delete worker;
    // What was found before the cancel is whole and in order.
    QVERIFY(partial.size() <= all.size());
    QCOMPARE(partial, all.mid(0, partial.size()));
}

void TestDiscCatalogue::catalogueFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Klony_Uzytkownik.ini"));
    QVERIFY(saveCatalogue(path, m_rows));
    QCOMPARE(loadCatalogue(path), m_rows);
    // Each line holds three fields split by the byte 0xFF.
    QVERIFY(test::fileBytes(path).contains(QByteArray("\xff\xff-1\r\n")));

    QVERIFY(writeFile(path, "C:\\Gry\r\nD:\\Inne\r\n"));
    QVERIFY(loadCatalogue(path).isEmpty());
    QVERIFY(writeFile(path, toCp1250(QStringLiteral("/gry\u02D9\u02D9-1\r\nGRY - x\u02D9/gry/x.iso\u02D9abc\r\n"))));
    QCOMPARE(loadCatalogue(path),
             (QList<DiscRow>{{QStringLiteral("/gry"), QString(), -1}, {QStringLiteral("GRY - x"), QStringLiteral("/gry/x.iso"), 0}}));
}

void TestDiscCatalogue::captionAndClipboard()
{
    const QList<DiscRow> rows = {{QStringLiteral("/a"), QString(), -1},
                                 {QStringLiteral("A - x"), QStringLiteral("/a/x.iso"), 700},
                                 {QStringLiteral("/b"), QString(), -1},
                                 {QStringLiteral("B - y"), QStringLiteral("/b/y.iso"), 4},
                                 {QStringLiteral("B - z"), QStringLiteral("/b/z.iso"), 0}};
    QCOMPARE(catalogueCaption(rows), QStringLiteral("Klony [3 CD/DVD = 704 MB]"));
    QCOMPARE(catalogueText(rows), QStringLiteral("/a\r\nA - x - 700 MB\r\n\r\n/b\r\nB - y - 4 MB\r\nB - z - 0 MB"));
    QCOMPARE(imageNumber(rows, 3), 2);
    QCOMPARE(catalogueCaption({}), QStringLiteral("Klony [0 CD/DVD = 0 MB]"));
}

void TestDiscCatalogue::mountCommands_data()
{
    QTest::addColumn<QString>("program"); // name in the test's bin folder, or a text as typed
    QTest::addColumn<QString>("image");   // relative to the test folder
    QTest::addColumn<QString>("warning"); // start of the warning, empty: a command
    QTest::addColumn<QStringList>("arguments");
    const QString choose = QStringLiteral("Musisz wskazać ścieżkę do programu DAEMON Tools lub Alcohol 120%");
    QTest::newRow("no program") << QStringLiteral("") << QStringLiteral("a b.iso") << choose << QStringList{};
    QTest::newRow("program missing") << QStringLiteral("/nie/ma/Daemon.exe") << QStringLiteral("a b.iso")
                                     << QStringLiteral("Plik nie istnieje: /nie/ma/Daemon.exe\r\n") + choose << QStringList{};
    QTest::newRow("image missing") << QStringLiteral("bin/udisksctl") << QStringLiteral("brak.iso") << QStringLiteral("Nie ma pliku: ") << QStringList{};
    QTest::newRow("daemon tools") << QStringLiteral("bin/DAEMON.EXE") << QStringLiteral("a b.iso") << QStringLiteral("")
                                  << QStringList{QStringLiteral("-lang"), QStringLiteral("1033"), QStringLiteral("-mount"), QStringLiteral("0,@a b.iso")};
    QTest::newRow("alcohol") << QStringLiteral("bin/AxCmd.exe") << QStringLiteral("a b.iso") << QStringLiteral("") << QStringList{QStringLiteral("1:"), QStringLiteral("/M:@a b.iso")};
    QTest::newRow("udisksctl") << QStringLiteral("bin/udisksctl") << QStringLiteral("a b.iso") << QStringLiteral("") << QStringList{QStringLiteral("loop-setup"), QStringLiteral("-f"), QStringLiteral("@a b.iso")};
    QTest::newRow("cdemu") << QStringLiteral("bin/cdemu") << QStringLiteral("a b.iso") << QStringLiteral("") << QStringList{QStringLiteral("load"), QStringLiteral("0"), QStringLiteral("@a b.iso")};
    QTest::newRow("quotes and dollars stay text") << QStringLiteral("bin/cdemu") << QStringLiteral("$(x) \"q\";.iso") << QStringLiteral("")
                                                  << QStringList{QStringLiteral("load"), QStringLiteral("0"), QStringLiteral("@$(x) \"q\";.iso")};
    QTest::newRow("unknown program") << QStringLiteral("bin/other") << QStringLiteral("a b.iso") << QStringLiteral("Nieznany program do montowania obrazów: other")
                                     << QStringList{};
}

void TestDiscCatalogue::mountCommands()
{
    QFETCH(QString, program);
    QFETCH(QString, image);
    QFETCH(QString, warning);
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    for (const char* name : {"DAEMON.EXE", "AxCmd.exe", "udisksctl", "cdemu", "other"})
        QVERIFY(writeFile(dir.filePath(QStringLiteral("bin/") + QLatin1String(name))));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a b.iso"))));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("$(x) \"q\";.iso"))));
    const QString programPath = program.startsWith(QLatin1String("bin/")) ? dir.filePath(program) : program;
    const MountPlan plan = planMount(programPath, dir.filePath(image));
    QVERIFY2(warning.isEmpty() ? plan.ok() : plan.warning.startsWith(warning), qPrintable(plan.warning));
    if (!warning.isEmpty())
        return;
    QCOMPARE(plan.command.program, programPath);
    QStringList expected;
    for (const QString& a : arguments)
        expected << QString(a).replace(QLatin1Char('@'), dir.path() + QLatin1Char('/'));
    QCOMPARE(plan.command.arguments, expected);
}

QTEST_GUILESS_MAIN(TestDiscCatalogue)
#include "tst_disc_catalogue.moc"

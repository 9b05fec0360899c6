// The shared reader and writer of every data file, on a real file system:
// what lies at a path (FIFO, folder, huge file), folders that take no new
// file, and the temporaries a killed save leaves.

#include "core/common/AddonSet.h"
#include "core/common/AtomicFile.h"
#include "core/common/DataFile.h"
#include "support/FileFixture.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <thread>

#include <sys/inotify.h>

namespace zorvex {

using test::fileBytes;
using test::writeFile;

namespace {

// Runs `read` on another thread and gives up after a few seconds, so a read
// that blocks fails the test instead of hanging it. A FIFO left waiting is
// opened for writing once to let the reader go.
template <typename Read>
bool finishesQuickly(Read read, const QString& fifo = {})
{
    auto done = std::async(std::launch::async, read);
    if (done.wait_for(std::chrono::seconds(5)) == std::future_status::ready)
        return true;
    if (!fifo.isEmpty()) {
        QFile unblock(fifo);
        if (unblock.open(QIODevice::WriteOnly))
            unblock.close();
    }
    done.wait();
    return false;
}

// The names of the files created in `folder` while `work` runs.
template <typename Work>
QStringList createdDuring(const QString& folder, Work work)
{
    QStringList names;
    const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0 || ::inotify_add_watch(fd, QFile::encodeName(folder).constData(), IN_CREATE) < 0)
        return {QStringLiteral("<inotify unavailable>")};
    work();
    alignas(inotify_event) char buffer[8192];
    ssize_t n = 0;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
        for (char* p = buffer; p < buffer + n;) {
            const auto* e = reinterpret_cast<const inotify_event*>(p);
            if (e->len > 0)
                names << QFile::decodeName(e->name);
            p += sizeof(inotify_event) + e->len;
        }
    }
    ::close(fd);
    return names;
}

} // namespace

class TestDataFile : public QObject {
    Q_OBJECT

private slots:
    void whatLiesAtThePath_data();
    void whatLiesAtThePath();
    void refusedFilesAreNamedOnce();
    void firstLine_data();
    void firstLine();
    void folderWithoutRoomForATemporary_data();
    void folderWithoutRoomForATemporary();
    void writerKeepsLinksAndModes();
    void staleTemporaries_data();
    void staleTemporaries();
    void temporaryOfARealSaveIsRecognised();
    void suspendedChangesTouchNothing();
    void folderListingFindsLikeTheFolder();
    void stampTellsVersionsApart();
};

void TestDataFile::folderListingFindsLikeTheFolder()
{
    // One listing answers every name as findIgnoringCase does: the exact
    // spelling first, then any other case (Polish letters too), files only.
    QTemporaryDir dir;
    for (const char* name : {"01.PNG", "01.png", "Łódź.gif", "wersja.INI"}) {
        QFile f(dir.filePath(QString::fromUtf8(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("02.png")));
    const FolderListing listing(dir.path());
    const QDir d(dir.path());
    for (const char* asked : {"01.png", "01.PNG", "01.Png", "łÓDŹ.GIF", "Wersja.ini", "02.PNG", "03.png"}) {
        const QString name = QString::fromUtf8(asked);
        QCOMPARE(listing.find(name), findIgnoringCase(d, name));
    }
    QCOMPARE(QFileInfo(listing.find(QStringLiteral("01.png"))).fileName(), QStringLiteral("01.png"));
    QCOMPARE(addonSetVersion(listing), addonSetVersion(dir.path()));
    const FolderListing missing(dir.filePath(QStringLiteral("none")));
    QVERIFY(!missing.exists());
    QCOMPARE(missing.find(QStringLiteral("01.png")), QString());
}

void TestDataFile::stampTellsVersionsApart()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    QVERIFY(!fileStamp(path).regular);
    QVERIFY(writeFileAtomically(path, QByteArray("[Osoby]\r\nIle=0\r\n")));
    const FileStamp first = fileStamp(path);
    QVERIFY(first.regular);
    QCOMPARE(first.size, qint64(16));
    QCOMPARE(fileStamp(path), first);
    // Saved again with the same bytes: a new inode, so a new version.
    QVERIFY(writeFileAtomically(path, QByteArray("[Osoby]\r\nIle=0\r\n")));
    QVERIFY(!(fileStamp(path) == first));
    QVERIFY(!fileStamp(dir.path()).regular);
}

void TestDataFile::whatLiesAtThePath_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("status");
    QTest::newRow("regular file") << QStringLiteral("file") << int(FileReadStatus::Read);
    QTest::newRow("nothing") << QStringLiteral("nothing") << int(FileReadStatus::Missing);
    QTest::newRow("dangling link") << QStringLiteral("dangling link") << int(FileReadStatus::Missing);
    QTest::newRow("folder") << QStringLiteral("folder") << int(FileReadStatus::NotAFile);
    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo") << int(FileReadStatus::NotAFile);
    QTest::newRow("device") << QStringLiteral("device") << int(FileReadStatus::NotAFile);
    QTest::newRow("unreadable") << QStringLiteral("unreadable") << int(FileReadStatus::Unreadable);
    QTest::newRow("at the size limit") << QStringLiteral("16 MB") << int(FileReadStatus::Read);
    QTest::newRow("one byte beyond") << QStringLiteral("16 MB + 1") << int(FileReadStatus::TooLarge);
    QTest::newRow("200 MB") << QStringLiteral("200 MB") << int(FileReadStatus::TooLarge);
}

void TestDataFile::whatLiesAtThePath()
{
    QFETCH(QString, what);
    QFETCH(int, status);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(QStringLiteral("Imieniny.ini"));
    const QByteArray content = "[1]\r\n1=Mieczys\xb3\x61wa\r\n";
    std::optional<test::UnreadableFile> unreadable;
    if (what == QLatin1String("file")) {
        QVERIFY(writeFile(path, content));
    } else if (what == QLatin1String("dangling link")) {
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("brak")), path));
    } else if (what == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (what == QLatin1String("fifo")) {
        QVERIFY(test::makeFifo(path));
    } else if (what == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (what == QLatin1String("unreadable")) {
        QVERIFY(writeFile(path, content));
        unreadable.emplace(path);
        if (!unreadable->active())
            QSKIP("cannot make a file unreadable here");
    } else if (what != QLatin1String("nothing")) {
        const qint64 mb = 1024 * 1024;
        const qint64 size = what == QLatin1String("16 MB") ? 16 * mb : what == QLatin1String("200 MB") ? 200 * mb : 16 * mb + 1;
        QVERIFY(test::makeSparseFile(path, size));
    }

    FileRead read;
    QVERIFY(finishesQuickly([&] { read = readDataFile(path); }, what == QLatin1String("fifo") ? path : QString()));
    QCOMPARE(int(read.status), status);
    QCOMPARE(read.read(), status == int(FileReadStatus::Read));
    QCOMPARE(read.mayReplace(), status == int(FileReadStatus::Read) || status == int(FileReadStatus::Missing));
    if (what == QLatin1String("file"))
        QCOMPARE(read.bytes, content);
    else if (what == QLatin1String("16 MB"))
        QCOMPARE(read.bytes.size(), kMaxDataFileSize);
    else
        QVERIFY(read.bytes.isEmpty());
    // Whatever was refused stays where it was.
    if (what == QLatin1String("fifo"))
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    if (what.startsWith(QLatin1String("200")))
        QCOMPARE(QFileInfo(path).size(), 200 * 1024 * 1024);
}

void TestDataFile::refusedFilesAreNamedOnce()
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("Osoby.ini"));
    const QString folder = dir.filePath(QStringLiteral("Sentencje.ini"));
    const QString missing = dir.filePath(QStringLiteral("brak.ini"));
    QVERIFY(test::makeSparseFile(big, kMaxDataFileSize + 1));
    QVERIFY(QDir().mkpath(folder));

    test::StderrCapture err;
    for (int i = 0; i < 3; ++i) {
        readDataFile(big);
        readDataFile(folder);
        readDataFile(missing);
    }
    const QString said = QString::fromLocal8Bit(err.text());
    QCOMPARE(said.count(big), 1);
    QVERIFY(said.contains(QStringLiteral("jest większy niż 16 MB")));
    QCOMPARE(said.count(folder), 1);
    QVERIFY(said.contains(QStringLiteral("to nie jest zwykły plik")));
    // A missing file is the normal case of a first run: nothing is said.
    QVERIFY(!said.contains(missing));
}

void TestDataFile::firstLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("line");
    QTest::newRow("Windows-1250") << QByteArray("1.2 \xb3\xf3\x64\x9f\r\nreszta\r\n") << QStringLiteral("1.2 łódź");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF" "1.2 \xc5\x82\xc3\xb3" "d\xc5\xba\n") << QStringLiteral("1.2 łódź");
    QTest::newRow("no line end") << QByteArray("2024") << QStringLiteral("2024");
    QTest::newRow("empty") << QByteArray() << QString();
    // A version file of one endless line is read only as far as a version
    // could reach.
    QTest::newRow("endless line") << QByteArray(1024 * 1024, 'x') << QString(4096, QLatin1Char('x'));
}

void TestDataFile::firstLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, line);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Wersja.ini"));
    QVERIFY(writeFile(path, bytes));
    QCOMPARE(readFirstLine(path), line);

    // Nothing to read, or something that is not a file: no line, no wait.
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QVERIFY(test::makeFifo(fifo));
    QString fromFifo = QStringLiteral("<not read>");
    QVERIFY(finishesQuickly([&] { fromFifo = readFirstLine(fifo); }, fifo));
    QVERIFY(fromFifo.isEmpty());
    QVERIFY(readFirstLine(dir.filePath(QStringLiteral("brak"))).isEmpty());
}

void TestDataFile::folderWithoutRoomForATemporary_data()
{
    QTest::addColumn<bool>("fileWritable");
    QTest::addColumn<QByteArray>("next");
    QTest::newRow("shorter text") << true << QByteArray("[1]\r\n");
    QTest::newRow("longer text") << true << QByteArray("[1]\r\n1=x\r\n2=y\r\n3=zzzzzzzzzzzzzzzzzzzzzzzz\r\n");
    QTest::newRow("file read-only as well") << false << QByteArray("[1]\r\n");
}

void TestDataFile::folderWithoutRoomForATemporary()
{
    QFETCH(bool, fileWritable);
    QFETCH(QByteArray, next);

    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("dane"));
    const QString path = folder + QStringLiteral("/Ustawienia_Jan.ini");
    const QByteArray old = "[1]\r\n1=stara wartosc\r\n";
    QVERIFY(writeFile(path, old));
    QVERIFY(QFile::setPermissions(path, fileWritable ? QFile::ReadOwner | QFile::WriteOwner : QFile::ReadOwner));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });

    bool first = false, second = false;
    QString error;
    QByteArray said;
    {
        test::FileModesBind modes;
        if (!modes.active())
            QSKIP("folder modes do not bind here");
        test::StderrCapture err;
        first = writeFileAtomically(path, next, &error);
        second = writeFileAtomically(path, next + "4=\r\n", &error);
        said = err.text();
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Ustawienia_Jan.ini")});
    if (!fileWritable) {
        QVERIFY(!first && !second);
        QVERIFY(!error.isEmpty());
        QCOMPARE(fileBytes(path), old);
        return;
    }
    // The only way left is the file itself; said once, however many saves.
    QVERIFY2(first && second, qPrintable(error));
    QCOMPARE(fileBytes(path), next + "4=\r\n");
    QCOMPARE(QString::fromLocal8Bit(said).count(QStringLiteral("bez zabezpieczenia przed przerwaniem zapisu")), 1);
}

void TestDataFile::writerKeepsLinksAndModes()
{
    QTemporaryDir dir;
    const QString real = dir.filePath(QStringLiteral("prawdziwy.ini"));
    const QString link = dir.filePath(QStringLiteral("Osoby.ini"));
    QVERIFY(writeFile(real, "stary"));
    QVERIFY(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QVERIFY(QFile::link(real, link));

    QVERIFY(writeFileAtomically(link, "nowy"));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(fileBytes(real), QByteArray("nowy"));
    struct stat st {};
    QCOMPARE(::stat(QFile::encodeName(real).constData(), &st), 0);
    QCOMPARE(st.st_mode & 0777, 0640u);
}

void TestDataFile::staleTemporaries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("removed");
    QTest::newRow("ours, beside a data file") << QStringLiteral("Osoby.ini.zorvex-Ab3dE9") << true;
    QTest::newRow("ours, its file never written") << QStringLiteral("Alarm_Jan.ini.zorvex-000zZz") << true;
    QTest::newRow("five letters") << QStringLiteral("Osoby.ini.zorvex-Ab3dE") << false;
    QTest::newRow("seven letters") << QStringLiteral("Osoby.ini.zorvex-Ab3dE90") << false;
    QTest::newRow("not a letter") << QStringLiteral("Osoby.ini.zorvex-Ab-dE9") << false;
    QTest::newRow("the user's copy") << QStringLiteral("Osoby.ini.backup") << false;
    QTest::newRow("another program's temporary") << QStringLiteral("Osoby.ini.Ab3dE9") << false;
    QTest::newRow("beside a file that is not ours") << QStringLiteral("notatki.txt.zorvex-Ab3dE9") << false;
    QTest::newRow("a folder of that name") << QStringLiteral("dir:Osoby.ini.zorvex-Dir123") << false;
    QTest::newRow("a link of that name") << QStringLiteral("link:Osoby.ini.zorvex-Lnk123") << false;
    QTest::newRow("in a set folder below") << QStringLiteral("Godziny/Osoby.ini.zorvex-Ab3dE9") << false;
}

void TestDataFile::staleTemporaries()
{
    QFETCH(QString, name);
    QFETCH(bool, removed);

    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    const QStringList dataFiles{folder + QStringLiteral("Osoby.ini"), folder + QStringLiteral("Alarm_Jan.ini"),
                                folder + QStringLiteral("Gfx/Kompozycje.ini")};
    QVERIFY(writeFile(dataFiles[0], "[Osoby]\r\nIle=0\r\n"));
    const QString kept = folder + QStringLiteral("notatki.txt");
    QVERIFY(writeFile(kept, "x"));

    QString path = folder + name;
    if (name.startsWith(QLatin1String("dir:"))) {
        path = folder + name.mid(4);
        QVERIFY(QDir().mkpath(path));
    } else if (name.startsWith(QLatin1String("link:"))) {
        path = folder + name.mid(5);
        QVERIFY(QFile::link(kept, path));
    } else {
        QVERIFY(writeFile(path, "[Osoby]\r\nIle=1\r\n"));
    }

    QCOMPARE(removeStaleTemporaries(dataFiles), removed ? 1 : 0);
    QCOMPARE(QFileInfo::exists(path) || QFileInfo(path).isSymLink(), !removed);
    QVERIFY(QFileInfo::exists(dataFiles[0]));
    QCOMPARE(fileBytes(kept), QByteArray("x"));
}

// The temporary a real save makes is the one the clean-up looks for: one
// killed between naming and renaming it would be found at the next start.
void TestDataFile::temporaryOfARealSaveIsRecognised()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Osoby.ini"));
    QVERIFY(writeFile(path, "stary"));
    const QStringList created = createdDuring(dir.path(), [&] { QVERIFY(writeFileAtomically(path, "nowy")); });
    QCOMPARE(created.size(), 1);
    QVERIFY2(isTemporaryOf(created[0], QStringLiteral("Osoby.ini")), qPrintable(created[0]));

    const QString leftOver = dir.filePath(created[0]);
    QVERIFY(writeFile(leftOver, "nowy"));
    QCOMPARE(removeStaleTemporaries({path}), 1);
    QVERIFY(!QFileInfo::exists(leftOver));
    QCOMPARE(fileBytes(path), QByteArray("nowy"));
}

void TestDataFile::suspendedChangesTouchNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Autozapis_Jan.ini"));
    const QString temporary = dir.filePath(QStringLiteral("Osoby.ini.zorvex-Ab3dE9"));
    QVERIFY(writeFile(path, "stary"));
    QVERIFY(writeFile(temporary, "x"));
    setFileChangesSuspended(true);
    const auto resume = qScopeGuard([] { setFileChangesSuspended(false); });
    QVERIFY(writeFileAtomically(path, "nowy"));
    QVERIFY(writeFileAtomically(dir.filePath(QStringLiteral("nowy.ini")), "nowy"));
    QVERIFY(removeDataFile(path));
    removeStaleTemporaries({dir.filePath(QStringLiteral("Osoby.ini"))});
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("Autozapis_Jan.ini"), QStringLiteral("Osoby.ini.zorvex-Ab3dE9")}));
    QCOMPARE(fileBytes(path), QByteArray("stary"));
}

} // namespace zorvex

QTEST_GUILESS_MAIN(zorvex::TestDataFile)
#include "tst_datafile.moc"

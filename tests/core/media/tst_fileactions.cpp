#include "FixtureFolder.h"
#include "core/media/FileActions.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace zorvex;

class TestFileActions : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(m_dir.renew());
        QVERIFY(QDir(m_dir.path()).mkpath(u"target"_s));
    }
    void clashes_data();
    void clashes();
    void missingFilesAreSkipped();
    void trashNeverDeletes();

private:
    QByteArray read(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    test::FixtureFolder m_dir;
};

void TestFileActions::clashes_data()
{
    QTest::addColumn<bool>("move");
    QTest::addColumn<QByteArray>("there");   // what the target folder holds, "" for nothing
    QTest::addColumn<bool>("replace");       // the answer to the question
    QTest::addColumn<QByteArray>("after");   // the target afterwards
    QTest::addColumn<bool>("sourceStays");
    QTest::addColumn<int>("asked");
    QTest::newRow("copy into empty") << false << QByteArray() << false << "new"_ba << true << 0;
    QTest::newRow("move into empty") << true << QByteArray() << false << "new"_ba << false << 0;
    QTest::newRow("identical copy there") << false << "new"_ba << false << "new"_ba << true << 0;
    QTest::newRow("clash refused") << false << "old"_ba << false << "old"_ba << true << 1;
    QTest::newRow("clash replaced") << false << "old"_ba << true << "new"_ba << true << 1;
    QTest::newRow("move, clash refused") << true << "old"_ba << false << "old"_ba << true << 1;
    QTest::newRow("move, clash replaced") << true << "old"_ba << true << "new"_ba << false << 1;
}

void TestFileActions::clashes()
{
    QFETCH(bool, move);
    QFETCH(QByteArray, there);
    QFETCH(bool, replace);
    QFETCH(QByteArray, after);
    QFETCH(bool, sourceStays);
    QFETCH(int, asked);
    const QString source = m_dir.write("new", u"song.mp3"_s);
    const QString target = m_dir.filePath(u"target/song.mp3"_s);
    if (!there.isEmpty())
        m_dir.write(there, u"target/song.mp3"_s);
    int questions = 0;
    const auto answer = [&](const QString& t) {
        ++questions;
        return t == target && replace;
    };
    const FileActionReport r = move ? moveFilesTo({source}, m_dir.filePath(u"target"_s), answer)
                                    : copyFilesTo({source}, m_dir.filePath(u"target"_s), answer);
    QVERIFY(r.failures.isEmpty());
    QCOMPARE(questions, asked);
    QCOMPARE(read(target), after);
    QCOMPARE(QFile::exists(source), sourceStays);
    // No temporary is left in the target folder.
    QCOMPARE(QDir(m_dir.filePath(u"target"_s)).entryList(QDir::Files), QStringList{u"song.mp3"_s});
}

void TestFileActions::missingFilesAreSkipped()
{
    const FileActionReport r = copyFilesTo({m_dir.filePath(u"gone.mp3"_s)}, m_dir.filePath(u"target"_s), {});
    QCOMPARE(r.done, 0);
    QCOMPARE(r.skipped, 1);
    // A folder that cannot take the file: reported, not swallowed.
    const QString source = m_dir.write("x", u"a.mp3"_s);
    const FileActionReport bad = copyFilesTo({source}, m_dir.filePath(u"no/such/folder"_s), {});
    QCOMPARE(bad.failures.size(), 1);
    QVERIFY(bad.failures.first().contains(source));
}

void TestFileActions::trashNeverDeletes()
{
    // The desktop's trash lives in the home folder; a private one here.
    const QString home = m_dir.filePath(u"home"_s);
    QVERIFY(QDir().mkpath(home));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home + u"/.local/share"_s));
    const QString source = m_dir.write("x", u"a.mp3"_s);
    const FileActionReport r = trashFiles({source, m_dir.filePath(u"gone.mp3"_s)});
    if (r.done == 0) {
        // Without a trash the file must stay where it was, reported.
        QCOMPARE(r.failures.size(), 1);
        QVERIFY(QFile::exists(source));
        return;
    }
    QCOMPARE(r.done, 1);
    QCOMPARE(r.skipped, 1);
    QVERIFY(!QFile::exists(source));
}

QTEST_GUILESS_MAIN(TestFileActions)
#include "tst_fileactions.moc"

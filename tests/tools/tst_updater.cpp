#include "core/common/Cp1250.h"
#include "core/internet/ProgramUpdate.h"
#include "support/FileFixture.h"

#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

int runUpdater(const QStringList& args, QString* err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(ZORVEX_UPDATER), args);
    if (!p.waitForFinished(30000))
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitCode();
}

} // namespace

class TestUpdater : public QObject {
    Q_OBJECT
private slots:
    void init();
    void appliesAfterTheProgramEnds();
    void refusesListsThatReachOut_data();
    void refusesListsThatReachOut();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
};

void TestUpdater::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_data = m_dir->filePath(u"dane"_s);
    QDir().mkpath(m_data);
}

void TestUpdater::appliesAfterTheProgramEnds()
{
    zorvex::test::writeFile(m_data + u"/Zmiany.txt"_s, "stare");
    zorvex::test::writeFile(m_data + u"/Zmiany.txt.tmp"_s, "nowe");
    zorvex::test::writeFile(m_data + u"/Gfx/Tapety/Zima.jpg.tmp"_s, "zima");
    writeUpdateList(m_data + u"/update.tmp"_s, {{m_data + u"/Zmiany.txt.tmp"_s, m_data + u"/Zmiany.txt"_s},
                                                {m_data + u"/Gfx/Tapety/Zima.jpg.tmp"_s, m_data + u"/Gfx/Tapety/Zima.jpg"_s}});
    // The program still closing, and the program started again afterwards.
    QProcess closing;
    closing.start(u"sleep"_s, {u"1"_s});
    QVERIFY(closing.waitForStarted());
    const QString restartLog = m_dir->filePath(u"restart.log"_s);
    const QString restart = m_dir->filePath(u"zorvex"_s);
    // Written aside and renamed, so the test never reads it half written.
    zorvex::test::writeFile(restart, (u"#!/bin/sh\necho \"$@\" > '"_s + restartLog + u".part' && mv '"_s + restartLog
                                      + u".part' '"_s + restartLog + u"'\n"_s)
                                         .toUtf8());
    QFile::setPermissions(restart, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    QElapsedTimer t;
    t.start();
    QString err;
    QCOMPARE(runUpdater({u"--data-dir"_s, m_data, u"--wait-pid"_s, QString::number(closing.processId()), u"--restart"_s,
                         restart},
                        &err),
             0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    QVERIFY(t.elapsed() >= 500);
    closing.waitForFinished();
    QCOMPARE(zorvex::test::folderTree(m_data), (QMap<QString, QByteArray>{{u"Gfx/Tapety/Zima.jpg"_s, "zima"}, {u"Zmiany.txt"_s, "nowe"}}));
    for (int i = 0; i < 200 && !QFileInfo::exists(restartLog); ++i)
        QTest::qWait(50);
    QCOMPARE(zorvex::test::fileBytes(restartLog), (u"--data-dir "_s + m_data + u" updated\n"_s).toUtf8());
}

void TestUpdater::refusesListsThatReachOut_data()
{
    QTest::addColumn<QString>("downloaded"); // below the temporary folder
    QTest::addColumn<QString>("target");
    QTest::newRow("target outside") << u"dane/x.tmp"_s << u"poza/x"_s;
    QTest::newRow("climbing target") << u"dane/../poza/x.tmp"_s << u"dane/../poza/x"_s;
    QTest::newRow("not its .tmp") << u"dane/a.tmp"_s << u"dane/b"_s;
    QTest::newRow("through a link") << u"dane/link/x.tmp"_s << u"dane/link/x"_s;
    QTest::newRow("downloaded file missing") << u"dane/brak.tmp"_s << u"dane/brak"_s;
}

void TestUpdater::refusesListsThatReachOut()
{
    QFETCH(QString, downloaded);
    QFETCH(QString, target);
    const QString outside = m_dir->filePath(u"poza"_s);
    QDir().mkpath(outside);
    zorvex::test::writeFile(outside + u"/x"_s, "cudzy");
    zorvex::test::writeFile(outside + u"/x.tmp"_s, "obcy");
    QFile::link(outside, m_data + u"/link"_s);
    zorvex::test::writeFile(m_data + u"/Zmiany.txt.tmp"_s, "nowe");
    zorvex::test::writeFile(m_data + u"/x.tmp"_s, "x");
    zorvex::test::writeFile(m_data + u"/a.tmp"_s, "a");
    // One good line first: nothing of the list is applied.
    writeUpdateList(m_data + u"/update.tmp"_s, {{m_data + u"/Zmiany.txt.tmp"_s, m_data + u"/Zmiany.txt"_s},
                                                {m_dir->filePath(downloaded), m_dir->filePath(target)}});
    const QMap<QString, QByteArray> before = zorvex::test::folderTree(m_dir->path());
    QString err;
    QCOMPARE(runUpdater({u"--data-dir"_s, m_data}, &err), 1);
    QVERIFY(!err.isEmpty());
    QCOMPARE(zorvex::test::folderTree(m_dir->path()), before);
}

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"

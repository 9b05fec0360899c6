#include "core/internet/ProgramUpdate.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/ServiceSettings.h"
#include "support/FakeHttp.h"
#include "support/FileFixture.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::FakeDownloader;
using zorvex::test::FakeRequestClient;

class TestProgramUpdate : public QObject {
    Q_OBJECT
private slots:
    void init();
    void targets_data();
    void targets();
    void progressTexts_data();
    void progressTexts();
    void downloadsAndHandsOver();
    void answerWithoutFiles();
    void refusedAnswers_data();
    void refusedAnswers();
    void installedBySystem();
    void noNewVersion();
    void downloadErrorAndCancel();

private:
    struct Run;
    std::unique_ptr<QTemporaryDir> m_dir;
};

struct TestProgramUpdate::Run {
    ServiceSettings settings;
    ServiceClient service{settings, u"T"_s};
    FakeRequestClient client;
    FakeDownloader downloader;
    QByteArray answer;
    bool yes = true;
    QStringList messages, problems, questions;
    QList<bool> windows;
    QString updaterList;
    bool updaterStarts = true;
    int closed = 0;
    std::unique_ptr<ProgramUpdate> update;

    Run(const QString& data, bool bySystem = false)
    {
        resetToDefaults(settings);
        settings.serviceBase = u"http://127.0.0.1:9/serwis.php?l="_s;
        client.server = [this](const QString&, const QString&) { return FakeRequestClient::ok(answer); };
        downloader.server = [](const QString& url) -> std::optional<QByteArray> {
            if (url.contains(u"brak"_s))
                return std::nullopt;
            return url.toUtf8();
        };
        ProgramUpdate::Hooks h;
        h.information = [this](const QString& c, const QString& t) { messages << c + u": "_s + t; };
        h.ask = [this](const QString& t, std::function<void(bool)> answered) {
            questions << t;
            answered(yes);
        };
        h.serverProblem = [this](const QString& d) { problems << d; };
        h.progressVisible = [this](bool v) { windows << v; };
        h.startUpdater = [this](const QString& list) {
            updaterList = list;
            return updaterStarts;
        };
        h.closeProgram = [this] { ++closed; };
        update = std::make_unique<ProgramUpdate>(data, service, client, downloader, bySystem, h);
    }
    void runToEnd()
    {
        update->check(false);
        client.deliverAll();
        downloader.deliverAll();
    }
};

void TestProgramUpdate::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
}

void TestProgramUpdate::targets_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("target"); // below the data folder; empty: refused
    QTest::newRow("file") << u"Zmiany.txt"_s << u"Zmiany.txt"_s;
    QTest::newRow("backslashes") << u"Gfx\\Tapety\\Zima.jpg"_s << u"Gfx/Tapety/Zima.jpg"_s;
    QTest::newRow("polish names") << u"Pomoc\\Ściąga.txt"_s << u"Pomoc/Ściąga.txt"_s;
    QTest::newRow("climbs") << u"..\\..\\.bashrc"_s << QString();
    QTest::newRow("climbs inside") << u"Gfx\\..\\..\\x"_s << QString();
    QTest::newRow("absolute") << u"/usr/bin/zorvex"_s << QString();
    QTest::newRow("absolute with backslash") << u"\\etc\\passwd"_s << QString();
    QTest::newRow("drive") << u"C:\\Windows\\x.dll"_s << QString();
    QTest::newRow("drive-relative") << u"C:x.dll"_s << QString();
    QTest::newRow("empty part") << u"Gfx\\\\x"_s << QString();
    QTest::newRow("dot part") << u".\\x"_s << QString();
    QTest::newRow("control character") << u"a\tb"_s << QString();
    QTest::newRow("empty") << QString() << QString();
}

void TestProgramUpdate::targets()
{
    QFETCH(QString, relative);
    QFETCH(QString, target);
    const QString got = updateFileTarget(u"/dane/"_s, relative);
    QCOMPARE(got, target.isEmpty() ? QString() : u"/dane/"_s + target);
}

void TestProgramUpdate::progressTexts_data()
{
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("label");
    QTest::newRow("start") << qint64(0) << qint64(4194304) << u"[0%] Aktualizowanie programu"_s << u"0.00 MB / 4.00 MB"_s;
    QTest::newRow("rounded") << qint64(1310720) << qint64(4194304) << u"[31%] Aktualizowanie programu"_s
                             << u"1.25 MB / 4.00 MB"_s;
    QTest::newRow("done") << qint64(4194304) << qint64(4194304) << u"[100%] Aktualizowanie programu"_s
                          << u"4.00 MB / 4.00 MB"_s;
}

void TestProgramUpdate::progressTexts()
{
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(QString, caption);
    QFETCH(QString, label);
    QCOMPARE(updateProgressCaption(done, total), caption);
    QCOMPARE(updateProgressLabel(done, total), label);
}

void TestProgramUpdate::downloadsAndHandsOver()
{
    const QString data = m_dir->path() + u"/"_s;
    Run r(data);
    r.answer = "UPDATE|29.90|300<br>\nP|http://s/a/Zmiany.txt|Zmiany.txt<br>\n<br>\n"
               "p|http://s/a/zima.jpg|Gfx\\Tapety\\Zima.jpg<br>\nX|ignored|x<br>\n";
    r.runToEnd();
    QCOMPARE(r.client.log, QStringList{u"GET http://127.0.0.1:9/serwis.php?l=/updatezvx.php"_s});
    QCOMPARE(r.questions, QStringList{u"Jest już nowa wersja Zorvex: 29.90\nCzy chcesz teraz pobrać nową wersję?"_s});
    QCOMPARE(r.downloader.log, (QStringList{u"http://s/a/Zmiany.txt -> "_s + data + u"Zmiany.txt.tmp"_s,
                                            u"http://s/a/zima.jpg -> "_s + data + u"Gfx/Tapety/Zima.jpg.tmp"_s}));
    QCOMPARE(r.windows, (QList<bool>{true, false}));
    QCOMPARE(r.updaterList, data + u"update.tmp"_s);
    QCOMPARE(zorvex::test::fileBytes(r.updaterList),
             QByteArray((data + u"Zmiany.txt.tmp|"_s + data + u"Zmiany.txt\r\n"_s + data
                         + u"Gfx/Tapety/Zima.jpg.tmp|"_s + data + u"Gfx/Tapety/Zima.jpg\r\n"_s)
                            .toUtf8()));
    QCOMPARE(readUpdateList(r.updaterList).size(), 2);
    QCOMPARE(r.closed, 1);
    QVERIFY(r.problems.isEmpty());
    QVERIFY(!r.update->running());
}

void TestProgramUpdate::answerWithoutFiles()
{
    Run r(m_dir->path());
    r.answer = "UPDATE|29.90|0<br>\n";
    r.runToEnd();
    QCOMPARE(zorvex::test::fileBytes(r.updaterList), QByteArray());
    QCOMPARE(r.closed, 1);
}

void TestProgramUpdate::refusedAnswers_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("problem"); // else silent
    QTest::newRow("climbing path") << QByteArray("UPDATE|29.90|9\nP|http://s/ok|ok.txt\nP|http://s/x|..\\..\\x\n")
                                   << true;
    QTest::newRow("absolute path") << QByteArray("UPDATE|29.90|9\nP|http://s/x|/usr/bin/zorvex\n") << true;
    QTest::newRow("no update line") << QByteArray("Przerwa techniczna\n") << false;
    QTest::newRow("no number") << QByteArray("UPDATE||9\n") << false;
}

void TestProgramUpdate::refusedAnswers()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, problem);
    Run r(m_dir->path());
    r.answer = answer;
    r.runToEnd();
    QVERIFY(r.questions.isEmpty());
    QVERIFY(r.downloader.log.isEmpty());
    QCOMPARE(r.problems.size(), problem ? 1 : 0);
    QCOMPARE(r.closed, 0);
    QVERIFY(zorvex::test::folderTree(m_dir->path()).isEmpty());
    QVERIFY(!r.update->running());
}

void TestProgramUpdate::installedBySystem()
{
    Run r(m_dir->path(), true);
    r.answer = "UPDATE|29.90|9\nP|http://s/z|zorvex\n";
    r.runToEnd();
    QVERIFY(r.questions.isEmpty());
    QVERIFY(r.downloader.log.isEmpty());
    QCOMPARE(r.messages, QStringList{u"Nowa wersja Zorvex: Jest już nowa wersja Zorvex: 29.90\nZorvex jest zainstalowany "
                                     u"przez system, zaktualizuj go menedżerem pakietów systemu."_s});
}

void TestProgramUpdate::noNewVersion()
{
    Run r(m_dir->path());
    r.answer = "UPDATE|29.85|9\n";
    r.runToEnd();
    QCOMPARE(r.messages, QStringList{u"Zorvex: Nie ma jeszcze nowej wersji Zorvex"_s});
    r.messages.clear();
    r.update->check(true);
    r.client.deliverAll();
    QVERIFY(r.messages.isEmpty());
}

void TestProgramUpdate::downloadErrorAndCancel()
{
    const QString data = m_dir->path() + u"/"_s;
    {
        Run r(data);
        r.answer = "UPDATE|29.90|9\nP|http://s/a|a.txt\nP|http://s/brak|b.txt\nP|http://s/c|c.txt\n";
        r.runToEnd();
        QCOMPARE(r.downloader.log.size(), 2); // the rest is not fetched
        QCOMPARE(r.problems, QStringList{QString()});
        QCOMPARE(r.closed, 0);
        QVERIFY(zorvex::test::folderTree(data).isEmpty());
    }
    {
        Run r(data);
        r.answer = "UPDATE|29.90|9\nP|http://s/a|a.txt\nP|http://s/b|b.txt\n";
        r.update->check(false);
        r.client.deliverAll();
        r.downloader.deliverOne();
        r.update->cancel();
        r.downloader.deliverAll();
        QCOMPARE(r.downloader.log.size(), 2);
        QVERIFY(r.problems.isEmpty());
        QCOMPARE(r.windows.last(), false);
        QVERIFY(zorvex::test::folderTree(data).isEmpty());
        QCOMPARE(r.closed, 0);
    }
    {
        // An updater that cannot be started leaves nothing behind either.
        Run r(data);
        r.updaterStarts = false;
        r.answer = "UPDATE|29.90|9\nP|http://s/a|a.txt\n";
        r.runToEnd();
        QCOMPARE(r.problems, QStringList{QString()});
        QVERIFY(zorvex::test::folderTree(data).isEmpty());
        QCOMPARE(r.closed, 0);
    }
}

QTEST_GUILESS_MAIN(TestProgramUpdate)
#include "tst_programupdate.moc"

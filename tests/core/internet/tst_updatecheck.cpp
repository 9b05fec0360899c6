#include "core/common/Cp1250.h"
#include "core/common/IniFile.h"
#include "core/common/PathTable.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/ServiceSettings.h"
#include "core/internet/UpdateCheck.h"
#include "core/settings/MainWindowSettings.h"
#include "core/settings/ToolsSettings.h"
#include "support/FakeClock.h"
#include "support/FakeHttp.h"
#include "support/FileFixture.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;
using zorvex::test::FakeRequestClient;

namespace {

const QString kBase = QStringLiteral("http://127.0.0.1:9/serwis.php?l=");

// What the fake service answers, in ISO 8859-2 with "<br>" as the real one.
struct Service {
    QString stamps = QStringLiteral("UPDATE|29.85|m2|c2|r2|s2|7|t2");
    QHash<QString, QByteArray> lists{
        {QStringLiteral("/listamap.php"), "MAPY<br>\nTemperatura\xFFhttp://x/t.gif<br>\n"},
        {QStringLiteral("/listamiast.php"), "MIASTA<br>\nWroc\xB3" "aw|101<br>\n\xA6wiebodzin|102<br>\n"},
        {QStringLiteral("/rozne.php"), "ROZNE<br>\nHoroskop|horoskop.php<br>\n"},
        {QStringLiteral("/serwczas.php"), "SERWERY<br>\ntempus1.gum.gov.pl<br>\n"},
        {QStringLiteral("/stacje.php"), "STACJE<br>\nTr\xF3jka\xFFhttp://x/3.pls<br>\n"},
    };
    QSet<QString> failing;

    HttpAnswer answer(const QString&, const QString& url) const
    {
        const QString endpoint = url.mid(kBase.size());
        if (failing.contains(endpoint))
            return FakeRequestClient::failure();
        if (endpoint == QLatin1String("update.php"))
            return FakeRequestClient::ok("<html>\n" + stamps.toLatin1() + "<br>\n");
        return FakeRequestClient::ok(lists.value(endpoint));
    }
};

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT
private slots:
    void init();
    void firstCheckFetchesEveryList();
    void unchangedStampsFetchNothing();
    void failingListKeepsItsStamp_data();
    void failingListKeepsItsStamp();
    void offeredProgramUpdate();
    void silentFailureRetries_data();
    void silentFailureRetries();
    void interactiveFailureTellsTheUser();
    void answerWithoutStampLine();
    void olderStampLocation();
    void resetStamps();
    void dueAtStart_data();
    void dueAtStart();
    void mergedLine_data();
    void mergedLine();

private:
    struct Run;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<PathTable> m_paths;
};

struct TestUpdateCheck::Run {
    FakeClock clock{QDateTime(QDate(2026, 3, 7), QTime(10, 0))};
    ServiceSettings serviceSettings;
    ServiceClient service{serviceSettings, QStringLiteral("T")};
    FakeRequestClient client;
    ToolsSettings tools;
    MainWindowSettings main;
    Service server;
    bool internet = true;
    QStringList messages;
    QStringList problems;
    QList<UpdateList> replaced;
    int offers = 0;
    QList<bool> button;
    bool retryArmed = false; // what the main loop keeps
    std::unique_ptr<UpdateCheck> check;

    explicit Run(const PathTable& paths)
    {
        resetToDefaults(serviceSettings);
        serviceSettings.serviceBase = kBase;
        resetToDefaults(tools);
        resetToDefaults(main);
        client.server = [this](const QString& m, const QString& u) { return server.answer(m, u); };
        UpdateCheck::Hooks h;
        h.internetAvailable = [this](bool) { return internet; };
        h.serverProblem = [this](const QString& d) { problems << d; };
        h.information = [this](const QString& t) { messages << t; };
        h.buttonEnabled = [this](bool on) { button << on; };
        h.listReplaced = [this](UpdateList l) { replaced << l; };
        h.programUpdateOffered = [this] { ++offers; };
        h.armRetry = [this] { retryArmed = true; };
        h.dropRetry = [this] { retryArmed = false; };
        check = std::make_unique<UpdateCheck>(clock, paths, service, client, tools, main, h);
        check->loadStamps();
    }
    void runAndAnswer(bool silent)
    {
        check->run(silent);
        client.deliverAll();
    }
};

void TestUpdateCheck::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_paths = std::make_unique<PathTable>(m_dir->path(), QStringLiteral("Jan"), QString());
}

void TestUpdateCheck::firstCheckFetchesEveryList()
{
    Run r(*m_paths);
    QCOMPARE(r.check->storedLine(), QStringLiteral("UPDATE|0|0|0|0|0|0|0"));
    r.runAndAnswer(true);
    QCOMPARE(r.client.log.size(), 6);
    QCOMPARE(r.client.log.front(), QStringLiteral("POST ") + kBase + QStringLiteral("update.php"));
    QCOMPARE(r.replaced.size(), 5);
    // Lists land in their files as the list files keep them.
    QCOMPARE(zorvex::test::fileBytes(m_paths->path(PathId::ListaMiast)),
             QByteArray("Wroc\xB3" "aw|101\r\n\x8Cwiebodzin|102\r\n"));
    QCOMPARE(zorvex::test::fileBytes(m_paths->path(PathId::Pogoda2)), QByteArray("Temperatura\xFFhttp://x/t.gif\r\n"));
    QCOMPARE(zorvex::test::fileBytes(m_paths->path(PathId::RadioL)), QByteArray("Tr\xF3jka\xFFhttp://x/3.pls\r\n"));
    QCOMPARE(IniFile::load(m_paths->path(PathId::Profile)).readString(QStringLiteral("Vuzuvured"), QStringLiteral("Update")),
             QStringLiteral("UPDATE|0|m2|c2|r2|s2|7|t2"));
    // Silent runs report what they updated too.
    QCOMPARE(r.messages, QStringList{QStringLiteral("Zaktualizowano:\n- Pogoda - Lista map\n- Pogoda - Lista miast\n"
                                                    "- Lista w Internet - Różne\n- Lista serwerów synchronizacji czasu\n"
                                                    "- Lista stacji radiowych\n")});
    QCOMPARE(dateOf(r.tools.lastUpdateCheckDay), QDate(2026, 3, 7));
    QCOMPARE(fromDayTime(r.main.lastDataCheck), r.clock.now());
    QCOMPARE(r.button, (QList<bool>{false, true}));
    QVERIFY(!r.check->running());
}

void TestUpdateCheck::unchangedStampsFetchNothing()
{
    Run r(*m_paths);
    r.runAndAnswer(true);
    r.messages.clear();
    r.client.log.clear();
    r.runAndAnswer(false);
    QCOMPARE(r.client.log.size(), 1);
    QCOMPARE(r.messages, QStringList{QStringLiteral("Aktualizacja nie jest wymagana, ponieważ posiadasz najnowsze dane")});
    // A silent run that finds nothing new says nothing.
    r.messages.clear();
    r.runAndAnswer(true);
    QVERIFY(r.messages.isEmpty());
}

void TestUpdateCheck::failingListKeepsItsStamp_data()
{
    QTest::addColumn<QByteArray>("mapAnswer"); // empty: the request fails
    QTest::newRow("request fails") << QByteArray();
    QTest::newRow("no marker") << QByteArray("Temperatura\xFFhttp://x/t.gif<br>\n");
    QTest::newRow("marker only") << QByteArray("MAPY<br>\n<br>\n");
}

void TestUpdateCheck::failingListKeepsItsStamp()
{
    QFETCH(QByteArray, mapAnswer);
    zorvex::test::writeFile(m_paths->path(PathId::Pogoda2), "stara lista\r\n");
    Run r(*m_paths);
    if (mapAnswer.isEmpty())
        r.server.failing << QStringLiteral("/listamap.php");
    else
        r.server.lists[QStringLiteral("/listamap.php")] = mapAnswer;
    r.runAndAnswer(true);
    QCOMPARE(zorvex::test::fileBytes(m_paths->path(PathId::Pogoda2)), QByteArray("stara lista\r\n"));
    QVERIFY(!r.replaced.contains(UpdateList::Maps));
    QCOMPARE(r.check->storedLine(), QStringLiteral("UPDATE|0|0|c2|r2|s2|7|t2"));
    QVERIFY(!r.messages.front().contains(QLatin1String("Lista map")));
    // The next check asks for the map list again, and only for it.
    r.server.failing.clear();
    r.server.lists[QStringLiteral("/listamap.php")] = "MAPY<br>\nNowa\xFFu<br>\n";
    r.client.log.clear();
    r.runAndAnswer(true);
    QCOMPARE(r.client.log, (QStringList{QStringLiteral("POST ") + kBase + QStringLiteral("update.php"),
                                        QStringLiteral("POST ") + kBase + QStringLiteral("/listamap.php")}));
    QCOMPARE(r.check->storedLine(), QStringLiteral("UPDATE|0|m2|c2|r2|s2|7|t2"));
}

void TestUpdateCheck::offeredProgramUpdate()
{
    Run r(*m_paths);
    r.server.stamps = QStringLiteral("UPDATE|29.90|m2|c2|r2|s2|7|t2");
    r.runAndAnswer(false);
    QCOMPARE(r.offers, 1);
    QCOMPARE(r.check->storedLine(), QStringLiteral("UPDATE|29.90|m2|c2|r2|s2|7|t2"));
    // With nothing new to fetch, the offer alone follows, without the
    // "nothing needed" message.
    r.messages.clear();
    r.runAndAnswer(false);
    QCOMPARE(r.offers, 2);
    QVERIFY(r.messages.isEmpty());
}

void TestUpdateCheck::silentFailureRetries_data()
{
    QTest::addColumn<bool>("noInternet");
    QTest::newRow("stamp request fails") << false;
    QTest::newRow("no internet") << true;
}

void TestUpdateCheck::silentFailureRetries()
{
    QFETCH(bool, noInternet);
    Run r(*m_paths);
    if (noInternet)
        r.internet = false;
    else
        r.server.failing << QStringLiteral("update.php");
    r.runAndAnswer(true);
    QVERIFY(r.retryArmed);
    QVERIFY(r.problems.isEmpty());
    QVERIFY(r.messages.isEmpty());

    // A retry that fails again arms the next one.
    const int asked = r.client.log.size();
    r.retryArmed = false;
    QVERIFY(r.check->retryAvailable());
    r.check->retry();
    r.client.deliverAll();
    QCOMPARE(r.client.log.size(), noInternet ? 0 : asked + 1);
    QVERIFY(r.retryArmed);

    // Automatic checking switched off keeps it waiting.
    r.tools.updateCheck = false;
    QVERIFY(!r.check->retryAvailable());
    r.tools.updateCheck = true;

    // The service back: the retry succeeds and is not armed again.
    r.internet = true;
    r.server.failing.clear();
    r.retryArmed = false;
    r.check->retry();
    r.client.deliverAll();
    QVERIFY(!r.retryArmed);
    QCOMPARE(r.replaced.size(), 5);

    // An interactive check drops a pending retry.
    r.server.failing << QStringLiteral("update.php");
    r.runAndAnswer(true);
    QVERIFY(r.retryArmed);
    r.runAndAnswer(false);
    QVERIFY(!r.retryArmed);
}

void TestUpdateCheck::interactiveFailureTellsTheUser()
{
    Run r(*m_paths);
    r.server.failing << QStringLiteral("update.php");
    r.runAndAnswer(false);
    QCOMPARE(r.problems, QStringList{QStringLiteral("HTTP 500 Internal Server Error")});
    QVERIFY(!r.retryArmed);
    QCOMPARE(r.button, (QList<bool>{false, true}));
    QCOMPARE(r.tools.lastUpdateCheckDay, kNever);
}

void TestUpdateCheck::answerWithoutStampLine()
{
    Run r(*m_paths);
    r.server.stamps = QStringLiteral("Przerwa techniczna");
    r.runAndAnswer(false);
    QCOMPARE(r.problems, QStringList{QString()});
    QCOMPARE(r.client.log.size(), 1);
    r.problems.clear();
    r.runAndAnswer(true);
    QVERIFY(r.problems.isEmpty());
    QVERIFY(!r.retryArmed);
}

void TestUpdateCheck::olderStampLocation()
{
    Run r(*m_paths);
    r.main.oldDataListState = QStringLiteral("UPDATE|0|m2|c2|r2|s2|7|t2");
    r.check->loadStamps();
    QCOMPARE(r.check->storedLine(), r.main.oldDataListState);
    // Once "Profile.ini" holds its own line, that one counts.
    storeStampLine(m_paths->path(PathId::Profile), QStringLiteral("UPDATE|0|m3|c2|r2|s2|7|t2"));
    r.check->loadStamps();
    QCOMPARE(r.check->storedLine(), QStringLiteral("UPDATE|0|m3|c2|r2|s2|7|t2"));
}

void TestUpdateCheck::resetStamps()
{
    Run r(*m_paths);
    r.runAndAnswer(true);
    r.check->resetStamps();
    QCOMPARE(IniFile::load(m_paths->path(PathId::Profile)).readString(QStringLiteral("Vuzuvured"), QStringLiteral("Update")),
             QStringLiteral("UPDATE|0|0|0|0|0|0|0"));
    r.replaced.clear();
    r.runAndAnswer(true);
    QCOMPARE(r.replaced.size(), 5);
}

void TestUpdateCheck::dueAtStart_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("coIle");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<bool>("due");
    const QDate today(2026, 3, 7);
    QTest::newRow("never checked") << true << 0 << QDate() << true;
    QTest::newRow("daily, today") << true << 0 << today << false;
    QTest::newRow("daily, yesterday") << true << 0 << today.addDays(-1) << true;
    QTest::newRow("weekly, day 6") << true << 1 << today.addDays(-6) << false;
    QTest::newRow("weekly, day 7") << true << 1 << today.addDays(-7) << true;
    QTest::newRow("weekly, in the future") << true << 1 << today.addDays(3) << true;
    QTest::newRow("off") << false << 0 << today.addDays(-30) << false;
}

void TestUpdateCheck::dueAtStart()
{
    QFETCH(bool, on);
    QFETCH(int, coIle);
    QFETCH(QDate, last);
    QFETCH(bool, due);
    Run r(*m_paths);
    r.tools.updateCheck = on;
    r.tools.updateCheckWeekly = coIle;
    r.tools.lastUpdateCheckDay = last.isValid() ? toDayTime(last) : kNever;
    QCOMPARE(r.check->dueAtStart(), due);
    r.check->startupStep();
    QCOMPARE(r.client.busy(), due);
}

void TestUpdateCheck::mergedLine_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QList<UpdateList>>("updated");
    QTest::addColumn<QString>("merged");
    QTest::newRow("only the cities")
        << "UPDATE|0|m1|c1|r1|s1|1|t1" << "UPDATE|29.85|m2|c2|r2|s2|2|t2" << QList<UpdateList>{UpdateList::Cities}
        << "UPDATE|0|m1|c2|r1|s1|2|t1";
    QTest::newRow("new update number kept") << "UPDATE|0|m1|c1|r1|s1|1|t1" << "UPDATE|30.01|m2|c1|r1|s1|1|t1"
                                            << QList<UpdateList>{UpdateList::Maps} << "UPDATE|30.01|m2|c1|r1|s1|1|t1";
    QTest::newRow("stations are field 8") << "UPDATE|0|0|0|0|0|0|0" << "UPDATE|29.85|a|b|c|d|e|f"
                                          << QList<UpdateList>{UpdateList::Stations} << "UPDATE|0|0|0|0|0|e|f";
}

void TestUpdateCheck::mergedLine()
{
    QFETCH(QString, stored);
    QFETCH(QString, answer);
    QFETCH(QList<UpdateList>, updated);
    QFETCH(QString, merged);
    QCOMPARE(mergedStampLine(stored, answer.split(QLatin1Char('|')), updated), merged);
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"

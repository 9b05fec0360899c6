#include "core/common/Cp1250.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/ServiceSettings.h"
#include "platform/internet/NetworkAccess.h"
#include "support/ServiceSimProcess.h"
#include "support/TinyproxyProcess.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

namespace {

// Waits on the event loop for a request's answer.
HttpAnswer wait(std::optional<HttpAnswer>& slot, int ms = 15000)
{
    if (!QTest::qWaitFor([&] { return slot.has_value(); }, ms))
        return HttpAnswer{false, 0, {}, u"no answer within the test's patience"_s};
    return *slot;
}

HttpAnswer post(TextRequestClient& client, const QString& url)
{
    std::optional<HttpAnswer> slot;
    client.post(url, [&](const HttpAnswer& a) { slot = a; });
    return wait(slot);
}

} // namespace

class TestNetwork : public QObject {
    Q_OBJECT
private slots:
    void everyList_data();
    void everyList();
    void headersOfRequests();
    void failures_data();
    void failures();
    void redirectWithCookie();
    void newRequestDropsTheRunningOne();
    void downloads();
    void cancelledDownloadLeavesNothing();
    void proxy_data();
    void proxy();
};

void TestNetwork::everyList_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("sample"); // one line the list holds, after cleaning
    QTest::newRow("maps") << u"/listamap.php"_s << u"MAPY"_s << u"Temperatura - dziś"_s;
    QTest::newRow("cities") << u"/listamiast.php"_s << u"MIASTA"_s << u"Dolnośląskie|"_s;
    QTest::newRow("misc") << u"/rozne.php"_s << u"ROZNE"_s << u"Horoskop dzienny|horoskop.php"_s;
    QTest::newRow("time servers") << u"/serwczas.php"_s << u"SERWERY"_s << u"tempus1.gum.gov.pl"_s;
    QTest::newRow("stations") << u"/stacje.php"_s << u"STACJE"_s << u"Polskie Radio"_s + QString(kListSeparator) + u"-"_s;
}

void TestNetwork::everyList()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, marker);
    QFETCH(QString, sample);
    for (const bool withMarker : {true, false}) {
        ServiceSimProcess sim;
        QVERIFY2(sim.start(withMarker ? QStringList{} : QStringList{u"--fault"_s, u"no-marker"_s}), qPrintable(sim.error()));
        ServiceSettings settings;
        resetToDefaults(settings);
        settings.serviceBase = sim.serviceBase();
        const ServiceClient service(settings, u"T"_s);
        NetworkAccess access;
        const auto client = access.createClient();
        std::optional<std::optional<QStringList>> got;
        const QByteArray e = endpoint.toLatin1(), m = marker.toLatin1();
        service.requestList(*client, ServiceList{e.constData(), m.constData()},
                            [&](std::optional<QStringList> lines, const QString&) { got = lines; });
        QVERIFY(QTest::qWaitFor([&] { return got.has_value(); }, 15000));
        QCOMPARE(got->has_value(), withMarker);
        if (withMarker) {
            QVERIFY2(std::any_of((*got)->cbegin(), (*got)->cend(), [&](const QString& l) { return l.startsWith(sample); }),
                     qPrintable((*got)->join(u'\n')));
            for (const QString& line : **got)
                QVERIFY(!line.isEmpty() && !line.contains(u"<br>"_s, Qt::CaseInsensitive));
        }
    }
}

void TestNetwork::headersOfRequests()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    NetworkAccess access;
    const auto client = access.createClient();
    const HttpAnswer stamps = post(*client, sim.serviceBase() + u"update.php"_s);
    QVERIFY2(stamps.ok, qPrintable(stamps.error));
    std::optional<HttpAnswer> slot;
    client->get(sim.serviceBase() + u"/updatezvx.php"_s, [&](const HttpAnswer& a) { slot = a; });
    const HttpAnswer update = wait(slot);
    QVERIFY2(update.ok, qPrintable(update.error));
    QVERIFY(cleanAnswer(update.body).front().startsWith(u"UPDATE|"_s));
    const auto log = sim.log();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0].value(u"method"_s), u"POST"_s);
    QCOMPARE(log[0].value(u"endpoint"_s), u"update.php"_s);
    QCOMPARE(log[0].value(u"body"_s), u"0"_s); // its length
    QCOMPARE(log[1].value(u"method"_s), u"GET"_s);
    for (const auto& entry : log) {
        QCOMPARE(entry.value(u"user-agent"_s), u"ZVX/37.04"_s);
        QCOMPARE(entry.value(u"content-type"_s), u"text/html"_s);
        QCOMPARE(entry.value(u"accept"_s), u"text/html, */*"_s);
    }
}

void TestNetwork::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("error");
    QTest::newRow("server error") << u"http500"_s << u"HTTP 500"_s;
    QTest::newRow("stalled server") << u"stall"_s << u"Serwer nie odpowiedział w ciągu"_s;
    QTest::newRow("slow drip") << u"drip"_s << u"Serwer nie odpowiedział w ciągu"_s;
    QTest::newRow("oversized answer") << u"oversized"_s << u"Odpowiedź serwera jest zbyt duża"_s;
}

void TestNetwork::failures()
{
    QFETCH(QString, fault);
    QFETCH(QString, error);
    ServiceSimProcess sim;
    QVERIFY2(sim.start({u"--fault"_s, fault, u"--drip-ms"_s, u"200"_s, u"--oversize-bytes"_s, u"40000000"_s}),
             qPrintable(sim.error()));
    NetworkAccess access;
    // The clients' own limit, shortened for the test.
    const auto client = access.createClient(1500);
    QElapsedTimer t;
    t.start();
    const HttpAnswer a = post(*client, sim.serviceBase() + u"/stacje.php"_s);
    QVERIFY(!a.ok);
    QVERIFY2(a.error.startsWith(error), qPrintable(a.error));
    QVERIFY(a.body.isEmpty());
    QVERIFY(t.elapsed() < 10000);
    QVERIFY(!client->busy());
    QCOMPARE(access.activeCount(), 0);
}

void TestNetwork::redirectWithCookie()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({u"--fault"_s, u"redirect-cookie"_s}), qPrintable(sim.error()));
    NetworkAccess access;
    const auto client = access.createClient();
    const HttpAnswer a = post(*client, sim.serviceBase() + u"/serwczas.php"_s);
    QVERIFY2(a.ok, qPrintable(a.error));
    QVERIFY(listAnswer(cleanAnswer(a.body), u"SERWERY"_s).has_value());
    const auto log = sim.log();
    QVERIFY(log.size() >= 2);
    QVERIFY(log.last().value(u"cookie"_s).size() > 0);
}

void TestNetwork::newRequestDropsTheRunningOne()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({u"--fault"_s, u"stall"_s, u"--fault-endpoint"_s, u"/listamap.php"_s}), qPrintable(sim.error()));
    NetworkAccess access;
    const auto client = access.createClient();
    int first = 0;
    client->post(sim.serviceBase() + u"/listamap.php"_s, [&](const HttpAnswer&) { ++first; });
    QTest::qWait(200);
    const HttpAnswer second = post(*client, sim.serviceBase() + u"/rozne.php"_s);
    QVERIFY(second.ok);
    QTest::qWait(100);
    QCOMPARE(first, 0);
}

void TestNetwork::downloads()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    QTemporaryDir dir;
    NetworkAccess access;
    const auto downloader = access.createDownloader(true);
    const QString path = dir.filePath(u"Pastelowy.zvxd"_s);
    qint64 lastProgress = -1;
    std::optional<qint64> doneSize;
    std::optional<QString> failed;
    FileDownloader::Events ev;
    ev.progress = [&](qint64, qint64 done) { lastProgress = done; };
    ev.done = [&](const QString& p, qint64 size) {
        QCOMPARE(p, path);
        doneSize = size;
    };
    ev.failed = [&](const QString& e) { failed = e; };
    downloader->start(sim.baseUrl() + u"dodatki/Pastelowy.zvxd"_s, path, ev);
    QVERIFY(QTest::qWaitFor([&] { return doneSize || failed; }, 15000));
    QVERIFY2(!failed, qPrintable(failed.value_or(QString())));
    QVERIFY(*doneSize > 0);
    QCOMPARE(QFileInfo(path).size(), *doneSize);
    QCOMPARE(lastProgress, *doneSize);
    QCOMPARE(sim.log().last().value(u"accept"_s), u"*/*"_s);

    // A file the server does not have: an error, and no file.
    const QString missing = dir.filePath(u"brak.zvxd"_s);
    doneSize.reset();
    downloader->start(sim.baseUrl() + u"dodatki/Brak.zvxd"_s, missing, ev);
    QVERIFY(QTest::qWaitFor([&] { return doneSize || failed; }, 15000));
    QVERIFY(failed);
    QVERIFY(!QFileInfo::exists(missing));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"Pastelowy.zvxd"_s});
}

void TestNetwork::cancelledDownloadLeavesNothing()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({u"--fault"_s, u"drip"_s, u"--drip-ms"_s, u"5"_s}), qPrintable(sim.error()));
    QTemporaryDir dir;
    NetworkAccess access;
    const auto downloader = access.createDownloader(false);
    qint64 progress = 0;
    int events = 0;
    FileDownloader::Events ev;
    ev.progress = [&](qint64, qint64 done) { progress = done; };
    ev.done = [&](const QString&, qint64) { ++events; };
    ev.failed = [&](const QString&) { ++events; };
    const QString path = dir.filePath(u"Pastelowy.zvxd"_s);
    downloader->start(sim.baseUrl() + u"dodatki/Pastelowy.zvxd"_s, path, ev);
    QVERIFY(QTest::qWaitFor([&] { return progress > 20; }, 15000));
    downloader->cancel();
    QTest::qWait(100);
    QCOMPARE(events, 0);
    QVERIFY(!downloader->busy());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});

    // A download that gets nothing for its stall limit fails the same way.
    ServiceSimProcess stalled;
    QVERIFY2(stalled.start({u"--fault"_s, u"stall"_s}), qPrintable(stalled.error()));
    const auto impatient = access.createDownloader(false, 800);
    std::optional<QString> failed;
    ev.failed = [&](const QString& e) { failed = e; };
    impatient->start(stalled.baseUrl() + u"dodatki/Pastelowy.zvxd"_s, path, ev);
    QVERIFY(QTest::qWaitFor([&] { return failed.has_value(); }, 15000));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

void TestNetwork::proxy_data()
{
    QTest::addColumn<bool>("proxyAsks");   // the proxy wants a user and password
    QTest::addColumn<bool>("clientSends"); // authorization on
    QTest::addColumn<QString>("password");
    QTest::addColumn<bool>("ok");
    QTest::newRow("open proxy") << false << false << QString() << true;
    QTest::newRow("authorization") << true << true << u"tajne"_s << true;
    QTest::newRow("no authorization") << true << false << QString() << false;
    QTest::newRow("wrong password") << true << true << u"zle"_s << false;
}

void TestNetwork::proxy()
{
    QFETCH(bool, proxyAsks);
    QFETCH(bool, clientSends);
    QFETCH(QString, password);
    QFETCH(bool, ok);
    if (TinyproxyProcess::program().isEmpty())
        QSKIP("tinyproxy is not installed (scripts/bootstrap installs it)");
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    TinyproxyProcess proxy;
    QVERIFY2(proxyAsks ? proxy.start(u"jan"_s, u"tajne"_s) : proxy.start(), qPrintable(proxy.error()));

    ProxySetting setting;
    setting.enabled = true;
    setting.ip = u"127.0.0.1"_s;
    setting.port = QString::number(proxy.port());
    setting.authorization = clientSends;
    setting.login = u"jan"_s;
    setting.setPassword(password);
    NetworkAccess access;
    access.applyProxy(proxyUse(setting));
    const auto client = access.createClient(5000);
    const HttpAnswer a = post(*client, sim.serviceBase() + u"/serwczas.php"_s);
    QCOMPARE(a.ok, ok);
    // The request went through the proxy, or was stopped there.
    QCOMPARE(sim.log().size(), ok ? 1 : 0);
    if (ok)
        QVERIFY2(proxy.log().contains("serwis.php"), proxy.log().constData());

    // The proxy switched off: straight to the service.
    access.applyProxy(proxyUse(ProxySetting{}));
    QVERIFY(post(*client, sim.serviceBase() + u"/serwczas.php"_s).ok);
}

QTEST_GUILESS_MAIN(TestNetwork)
#include "tst_network.moc"

// The service simulator as a client sees it: started as a process on a
// free port, asked the way the program asks (POST with an empty body for
// the lists, GET for the program update and the pages).

#include "core/common/Cp1250.h"
#include "core/internet/ZlbArchive.h"
#include "lib/Iso88592.h"
#include "support/ServiceSimProcess.h"

#include <QDate>
#include <QDirIterator>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QStringDecoder>
#include <QTest>

using zorvex::sim::fromIso88592;

namespace {

struct Fetched {
    int status = 0;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QByteArray body;
    QByteArray contentType;
    QByteArray contentLength;
    int chunks = 0;
};

enum class Cookies { Kept, Refused };

Fetched fetch(const QByteArray& method, const QUrl& url, int timeoutMs = 10000, Cookies cookies = Cookies::Kept)
{
    QNetworkAccessManager nam;
    QNetworkRequest request(url);
    // What the program's request clients send.
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArray("text/html"));
    request.setRawHeader("Accept", "text/html, */*");
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArray("ZVX/37.04"));
    request.setTransferTimeout(timeoutMs);
    request.setMaximumRedirectsAllowed(5);
    if (cookies == Cookies::Refused)
        request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    QNetworkReply* reply = method == "POST" ? nam.post(request, QByteArray()) : nam.get(request);
    Fetched f;
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        f.body += reply->readAll();
        ++f.chunks;
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    if (reply->isOpen())
        f.body += reply->readAll();
    f.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    f.error = reply->error();
    f.contentType = reply->rawHeader("Content-Type");
    f.contentLength = reply->rawHeader("Content-Length");
    reply->deleteLater();
    return f;
}

Fetched fetch(const QByteArray& method, const QString& url, int timeoutMs = 10000, Cookies cookies = Cookies::Kept)
{
    return fetch(method, QUrl(url), timeoutMs, cookies);
}

// The answer as the program cleans it: "<br>" removed, split into lines,
// empty lines dropped; decoded from ISO-8859-2 for the comparisons.
QStringList lines(const QByteArray& body)
{
    QByteArray text = body;
    text.replace("<br>", "");
    QStringList out;
    for (const QByteArray& line : text.split('\n')) {
        const QString l = fromIso88592(line).trimmed();
        if (!l.isEmpty())
            out.append(l);
    }
    return out;
}

QString firstField(const QString& line)
{
    return line.section(QLatin1Char('|'), 0, 0);
}

// Polish letters where ISO-8859-2 and Windows-1250 differ (Ą Ś Ź ą ś ź),
// and the bytes Windows-1250 would have used for them instead.
bool hasIsoOnlyLetters(const QByteArray& body)
{
    for (char c : {char(0xA1), char(0xA6), char(0xAC), char(0xB1), char(0xB6), char(0xBC)}) {
        if (body.contains(c))
            return true;
    }
    return false;
}

bool hasCp1250OnlyLetters(const QByteArray& body)
{
    for (char c : {char(0xA5), char(0x8C), char(0x8F), char(0xB9), char(0x9C), char(0x9F)}) {
        if (body.contains(c))
            return true;
    }
    return false;
}

bool isUtf8WithLetters(const QByteArray& body)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(body);
    if (utf8.hasError())
        return false;
    for (QChar c : text) {
        if (c.unicode() > 0x7F)
            return true;
    }
    return false;
}

QString mapUrl(QString templ, QDate day)
{
    // The placeholders of one day; tomorrow's and the others' are the same
    // for the simulator, which serves one picture for every date.
    for (const QString& prefix : {QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("2"), QString()}) {
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("RRRR]"), day.toString(QStringLiteral("yyyy")));
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("RR]"), day.toString(QStringLiteral("yy")));
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("MM]"), day.toString(QStringLiteral("MM")));
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("M]"), day.toString(QStringLiteral("M")));
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("DD]"), day.toString(QStringLiteral("dd")));
        templ.replace(QLatin1Char('[') + prefix + QStringLiteral("D]"), day.toString(QStringLiteral("d")));
    }
    return templ;
}

bool copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

class TestServiceSim : public QObject {
    Q_OBJECT

private slots:
    void listAnswers_data();
    void listAnswers();
    void forecast_data();
    void forecast();
    void endpointQuerySplit_data();
    void endpointQuerySplit();
    void refusals_data();
    void refusals();
    void programUpdateFilesAreServed();
    void updateNumberFromCommandLine();
    void stampFollowsItsList();
    void miscPagesOpenWithAlarmLinks();
    void horoscopeSignNumbers_data();
    void horoscopeSignNumbers();
    void shoutboxAndAddonPages();
    void packagesHoldWholeSets();
    void mapsAndPlaylistsAreServed();
    void markerFaults_data();
    void markerFaults();
    void stall();
    void drip();
    void redirectWithCookie();
    void oversized();
    void faultSwitchedWhileRunning();
    void requestLog();
    void badCommandLine_data();
    void badCommandLine();
    void sampleTextsFitTheirCodePages();
    void isoCodePage();
};

void TestServiceSim::listAnswers_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("linePattern"); // every line after the marker
    QTest::addColumn<bool>("polish");

    const QString name = QStringLiteral("[^|\\x{2D9}]+");
    QTest::newRow("stamps") << "update.php" << QByteArray("POST") << "UPDATE" << QString() << false;
    QTest::newRow("maps") << "/listamap.php" << QByteArray("POST") << "MAPY" << name + QStringLiteral("\\x{2D9}http://\\S+") << true;
    QTest::newRow("cities") << "/listamiast.php" << QByteArray("POST") << "MIASTA" << name + QStringLiteral("\\|\\d*") << true;
    QTest::newRow("pages") << "/rozne.php" << QByteArray("POST") << "ROZNE" << name + QStringLiteral("\\|[a-z]+\\.php(\\|.*)?")
                           << true;
    QTest::newRow("time servers") << "/serwczas.php" << QByteArray("POST") << "SERWERY" << QStringLiteral("[a-z0-9.-]+")
                                  << false;
    QTest::newRow("stations") << "/stacje.php" << QByteArray("POST") << "STACJE"
                              << QStringLiteral("[^\\x{2D9}]+\\x{2D9}(-|http://\\S+)") << true;
    QTest::newRow("program update") << "/updatezvx.php" << QByteArray("GET") << "UPDATE"
                                    << QStringLiteral("P\\|http://\\S+\\|[^|]+") << true;
    QTest::newRow("forecast") << "pogoda.php?mid=1101&date=2026.12.09" << QByteArray("POST") << "POGODA" << QStringLiteral(".+")
                              << true;
}

void TestServiceSim::listAnswers()
{
    QFETCH(QString, endpoint);
    QFETCH(QByteArray, method);
    QFETCH(QString, marker);
    QFETCH(QString, linePattern);
    QFETCH(bool, polish);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const Fetched f = fetch(method, sim.serviceBase() + endpoint);
    QCOMPARE(f.status, 200);
    QVERIFY(f.contentType.contains("ISO-8859-2"));
    QVERIFY(f.body.contains("<br>"));

    const QStringList got = lines(f.body);
    QVERIFY(!got.isEmpty());
    QCOMPARE(firstField(got.first()), marker);
    if (!linePattern.isEmpty()) {
        QVERIFY(got.size() > 1);
        const QRegularExpression pattern(QRegularExpression::anchoredPattern(linePattern));
        for (const QString& line : got.mid(1))
            QVERIFY2(pattern.match(line).hasMatch(), qPrintable(line));
    }
    if (polish) {
        QVERIFY(hasIsoOnlyLetters(f.body));
        QVERIFY(!hasCp1250OnlyLetters(f.body));
        QVERIFY(!isUtf8WithLetters(f.body));
    }
}

void TestServiceSim::forecast_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("errors");
    QTest::addColumn<QString>("city");

    QTest::newRow("known city") << "mid=501&date=2026.07.15" << "0" << "Łódź";
    QTest::newRow("unknown city") << "mid=999999&date=2026.07.15" << "1" << QString();
    QTest::newRow("group heading has no id") << "mid=&date=2026.07.15" << "1" << QString();
    QTest::newRow("bad date") << "mid=501&date=15.07.2026" << "2" << QString();
}

void TestServiceSim::forecast()
{
    QFETCH(QString, query);
    QFETCH(QString, errors);
    QFETCH(QString, city);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const QStringList got = lines(fetch("POST", sim.serviceBase() + QStringLiteral("pogoda.php?") + query).body);
    QVERIFY(got.size() >= 2);
    QCOMPARE(got[0], QStringLiteral("POGODA"));
    QCOMPARE(got[1].section(QLatin1Char('|'), 1, 1), errors);
    if (errors != QLatin1String("0"))
        return;
    QCOMPARE(got.size(), 12);
    QCOMPARE(got[2], city);
    QVERIFY(got[4].contains(QRegularExpression(QStringLiteral("chm\\d+\\.gif$"))));
    for (int i : {5, 6})
        QVERIFY2(QRegularExpression(QStringLiteral("^-?\\d+°C$")).match(got[i]).hasMatch(), qPrintable(got[i]));
    QVERIFY(got[5].chopped(2).toInt() >= got[6].chopped(2).toInt());
    const QRegularExpression time(QStringLiteral("^\\d\\d:\\d\\d$"));
    QVERIFY(time.match(got[10]).hasMatch() && time.match(got[11]).hasMatch());
    // Mid-July in Łódź: the sun rises before five and sets after nine.
    QVERIFY2(got[10] < QLatin1String("05:00") && got[11] > QLatin1String("20:45"), qPrintable(got[10] + got[11]));

    // The same city and day give the same forecast again.
    QCOMPARE(lines(fetch("POST", sim.serviceBase() + QStringLiteral("pogoda.php?") + query).body), got);
}

void TestServiceSim::endpointQuerySplit_data()
{
    QTest::addColumn<QByteArray>("afterBase"); // sent as it stands
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("query");

    QTest::newRow("as the program forms it") << QByteArray("pogoda.php?mid=101&date=2026.12.09") << "pogoda.php"
                                             << "mid=101&date=2026.12.09";
    QTest::newRow("whole endpoint encoded") << QByteArray("pogoda.php%3Fmid%3D101%26date%3D2026.12.09") << "pogoda.php"
                                            << "mid=101&date=2026.12.09";
    QTest::newRow("only the question mark encoded") << QByteArray("pogoda.php%3Fmid=101&date=2026.12.09") << "pogoda.php"
                                                    << "mid=101&date=2026.12.09";
}

void TestServiceSim::endpointQuerySplit()
{
    QFETCH(QByteArray, afterBase);
    QFETCH(QString, endpoint);
    QFETCH(QString, query);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const Fetched f = fetch("POST", QUrl::fromEncoded(sim.serviceBase().toUtf8() + afterBase, QUrl::StrictMode));
    const QStringList got = lines(f.body);
    QVERIFY(got.size() > 2);
    QCOMPARE(got[1], QStringLiteral("ERRORS|0"));
    QCOMPARE(got[2], QStringLiteral("Wrocław"));
    const auto log = sim.log();
    QCOMPARE(log.size(), 1);
    QCOMPARE(log[0].value(QStringLiteral("endpoint")), endpoint);
    QCOMPARE(log[0].value(QStringLiteral("query")), query);
}

void TestServiceSim::refusals_data()
{
    QTest::addColumn<QByteArray>("method");
    QTest::addColumn<QString>("afterBase");
    QTest::addColumn<int>("status");

    QTest::newRow("list asked with GET") << QByteArray("GET") << "serwis.php?l=/stacje.php" << 405;
    QTest::newRow("program update asked with POST") << QByteArray("POST") << "serwis.php?l=/updatezvx.php" << 405;
    QTest::newRow("forecast asked with GET") << QByteArray("GET") << "serwis.php?l=pogoda.php?mid=1&date=2026.12.09" << 405;
    QTest::newRow("unknown endpoint") << QByteArray("POST") << "serwis.php?l=/nieznane.php" << 404;
    QTest::newRow("service without l") << QByteArray("POST") << "serwis.php?x=/stacje.php" << 400;
    QTest::newRow("list outside the service") << QByteArray("POST") << "stacje.php" << 405;
    QTest::newRow("climbing out of the data") << QByteArray("GET") << "aktualizacja/..%2F..%2Fupdate.txt" << 404;
    QTest::newRow("unknown package") << QByteArray("GET") << "dodatki/Brak.zvxd" << 404;
}

void TestServiceSim::refusals()
{
    QFETCH(QByteArray, method);
    QFETCH(QString, afterBase);
    QFETCH(int, status);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    QCOMPARE(fetch(method, QUrl::fromEncoded((sim.baseUrl() + afterBase).toUtf8())).status, status);
    QCOMPARE(sim.log().value(0).value(QStringLiteral("status")), QString::number(status));
}

void TestServiceSim::programUpdateFilesAreServed()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const QStringList stamps = lines(fetch("POST", sim.serviceBase() + QStringLiteral("update.php")).body);
    const QStringList update = lines(fetch("GET", sim.serviceBase() + QStringLiteral("/updatezvx.php")).body);
    QCOMPARE(stamps.size(), 1);
    QCOMPARE(stamps[0].split(QLatin1Char('|')).size(), 8);
    QVERIFY(update.size() > 1);

    // One program update on offer, announced alike by both answers.
    const QString number = stamps[0].section(QLatin1Char('|'), 1, 1);
    QCOMPARE(update[0].section(QLatin1Char('|'), 1, 1), number);
    QVERIFY(number != QLatin1String("29.85"));

    // Every file the update names is there, and the total is their size.
    qint64 total = 0;
    for (const QString& line : update.mid(1)) {
        const QString url = line.section(QLatin1Char('|'), 1, 1);
        const QString path = line.section(QLatin1Char('|'), 2, 2);
        QVERIFY2(url.startsWith(sim.baseUrl()), qPrintable(url));
        QVERIFY(!path.startsWith(QLatin1Char('\\')) && !path.contains(QLatin1String("..")) && !path.contains(QLatin1Char(':')));
        const Fetched file = fetch("GET", url);
        QCOMPARE(file.status, 200);
        QVERIFY(!file.body.isEmpty());
        // Text files arrive as they are kept in the data folder.
        if (path.endsWith(QLatin1String(".txt"))) {
            QVERIFY(file.body.contains("\r\n"));
            QVERIFY(!isUtf8WithLetters(file.body));
            QVERIFY(zorvex::fromCp1250(file.body).contains(QStringLiteral("Zorvex")));
        }
        total += file.body.size();
    }
    QCOMPARE(update[0].section(QLatin1Char('|'), 2, 2).toLongLong(), total);
    QVERIFY(update.join(QLatin1Char('\n')).contains(QStringLiteral("Pomoc\\Ściąga - skróty klawiszowe.txt")));
}

void TestServiceSim::updateNumberFromCommandLine()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--update-number"), QStringLiteral("29.85")}), qPrintable(sim.error()));
    QCOMPARE(lines(fetch("POST", sim.serviceBase() + QStringLiteral("update.php")).body).value(0).section(QLatin1Char('|'), 1, 1),
             QStringLiteral("29.85"));
    QCOMPARE(lines(fetch("GET", sim.serviceBase() + QStringLiteral("/updatezvx.php")).body).value(0).section(QLatin1Char('|'), 1, 1),
             QStringLiteral("29.85"));
}

void TestServiceSim::stampFollowsItsList()
{
    QTemporaryDir data;
    QVERIFY(copyFolder(QStringLiteral(ZORVEX_SERVICE_SIM_DATA), data.path()));
    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--data"), data.path()}), qPrintable(sim.error()));
    const QString before = lines(fetch("POST", sim.serviceBase() + QStringLiteral("update.php")).body).value(0);
    QCOMPARE(lines(fetch("POST", sim.serviceBase() + QStringLiteral("update.php")).body).value(0), before);

    QFile cities(data.filePath(QStringLiteral("listamiast.txt")));
    QVERIFY(cities.open(QIODevice::Append));
    cities.write("Sopot|1104\n");
    cities.close();

    const QString after = lines(fetch("POST", sim.serviceBase() + QStringLiteral("update.php")).body).value(0);
    const QStringList b = before.split(QLatin1Char('|'));
    const QStringList a = after.split(QLatin1Char('|'));
    QCOMPARE(a.size(), 8);
    for (int i = 0; i < 8; ++i)
        QVERIFY2((a[i] != b[i]) == (i == 3), qPrintable(before + QStringLiteral(" -> ") + after));
    QVERIFY(lines(fetch("POST", sim.serviceBase() + QStringLiteral("/listamiast.php")).body).contains(QStringLiteral("Sopot|1104")));
}

void TestServiceSim::miscPagesOpenWithAlarmLinks()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const QStringList list = lines(fetch("POST", sim.serviceBase() + QStringLiteral("/rozne.php")).body).mid(1);
    QVERIFY(list.size() >= 2);
    QVERIFY(list.join(QLatin1Char('\n')).contains(QStringLiteral("|otv.php")));
    QVERIFY(list.join(QLatin1Char('\n')).contains(QStringLiteral("|horoskop.php")));
    for (const QString& entry : list) {
        const QString script = entry.section(QLatin1Char('|'), 1, 1);
        const Fetched page = fetch("GET", sim.serviceBase() + script + QStringLiteral("?user_id=0A1B2C3D"));
        QVERIFY2(page.status == 200, qPrintable(script));
        QVERIFY(page.contentType.contains("ISO-8859-2"));
        QVERIFY2(page.body.contains(".php?alarm="), qPrintable(script));
        QVERIFY(hasIsoOnlyLetters(page.body) && !hasCp1250OnlyLetters(page.body));
    }

    // The programme's links: today's date and time before "|", the text
    // percent-encoded in the page's code page; and the two broken kinds.
    const QByteArray tv = fetch("GET", sim.serviceBase() + QStringLiteral("otv.php?user_id=0A1B2C3D")).body;
    const QByteArray today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
    QVERIFY(tv.contains(QByteArray("otv.php?alarm=" + today + "%2019:30|Wiadomo%B6ci%20%2D%20TVP1")));
    QVERIFY(tv.contains("otv.php?alarm=pasmo-nocne\""));
    QVERIFY(tv.contains("otv.php?alarm=jutro%20wieczorem|"));

    // An alarm link the program let through reaches the simulator, which
    // says so on the page and in the log.
    const Fetched leaked = fetch("GET", QUrl::fromEncoded(sim.baseUrl().toUtf8() + "otv.php?alarm=" + today + "%2019:30|Wiadomo%B6ci"));
    QCOMPARE(leaked.status, 200);
    QVERIFY(fromIso88592(leaked.body).contains(QStringLiteral("Wiadomości")));
    QCOMPARE(sim.log().last().value(QStringLiteral("endpoint")), QStringLiteral("/otv.php"));
}

void TestServiceSim::horoscopeSignNumbers_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("notShown");

    QTest::newRow("z1 is Baran") << "&znak=z1" << QStringList{QStringLiteral("Baran")} << QStringList{QStringLiteral("Wodnik")};
    QTest::newRow("z3 is Bliźnięta") << "&znak=z3" << QStringList{QStringLiteral("Bliźnięta (22.05-21.06)")}
                                     << QStringList{QStringLiteral("Baran (")};
    QTest::newRow("z12 is Ryby") << "&znak=z12" << QStringList{QStringLiteral("Ryby")} << QStringList{QStringLiteral("Byk (")};
    QTest::newRow("no sign shows all") << QString()
                                       << QStringList{QStringLiteral("Baran ("), QStringLiteral("Koziorożec ("), QStringLiteral("Ryby (")}
                                       << QStringList{QStringLiteral("Nieznany znak")};
    QTest::newRow("sign out of range") << "&znak=z13" << QStringList{QStringLiteral("Nieznany znak")}
                                       << QStringList{QStringLiteral("Baran (")};
}

void TestServiceSim::horoscopeSignNumbers()
{
    QFETCH(QString, query);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, notShown);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    QString page = fromIso88592(fetch("GET", sim.serviceBase() + QStringLiteral("horoskop.php?user_id=0A1B") + query).body);
    page.remove(QStringLiteral("<small>")).remove(QStringLiteral("</small>"));
    // Only the horoscope itself, not the links to the other signs.
    page = page.left(page.indexOf(QStringLiteral("Inne znaki")));
    for (const QString& s : shown)
        QVERIFY2(page.contains(s), qPrintable(s));
    for (const QString& s : notShown)
        QVERIFY2(!page.contains(s), qPrintable(s));
}

void TestServiceSim::shoutboxAndAddonPages()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const Fetched shout = fetch("GET", sim.shoutboxBase() + QStringLiteral("37.04&user_id=0A1B2C"));
    QCOMPARE(shout.status, 200);
    QVERIFY(shout.body.contains("37.04") && shout.body.contains("0A1B2C"));
    QVERIFY(hasIsoOnlyLetters(shout.body));

    // A token never comes back as markup.
    const Fetched evil = fetch("GET", QUrl::fromEncoded(sim.shoutboxBase().toUtf8() + "37.04&user_id=%3Cscript%3E"));
    QVERIFY(!evil.body.contains("<script>"));

    for (const QString& tag : {QStringLiteral("0"), QStringLiteral("8")}) {
        const Fetched page = fetch("GET", sim.addonsBase() + tag + QStringLiteral("&w=37.04"));
        QCOMPARE(page.status, 200);
        QVERIFY2(page.body.contains(".zvxd\""), qPrintable(tag));
    }
    QCOMPARE(fetch("GET", sim.addonsBase()).status, 200);
    QVERIFY(fromIso88592(fetch("GET", sim.addonsBase() + QStringLiteral("5&w=37.04")).body).contains(QStringLiteral("nie ma jeszcze")));
}

void TestServiceSim::packagesHoldWholeSets()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    QStringList packages;
    for (const QString& tag : {QStringLiteral("0"), QStringLiteral("8")}) {
        const QString page = QString::fromLatin1(fetch("GET", sim.addonsBase() + tag + QStringLiteral("&w=37.04")).body);
        for (const auto& m : QRegularExpression(QStringLiteral("href=\"([^\"]+\\.zvxd)\"")).globalMatch(page))
            packages.append(m.captured(1));
    }
    QVERIFY(packages.size() >= 3);

    QTemporaryDir folder;
    QSet<QString> sets;
    for (const QString& url : packages) {
        const Fetched f = fetch("GET", url);
        QCOMPARE(f.status, 200);
        const QString path = folder.filePath(QUrl(url).fileName());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(f.body) == f.body.size());
        file.close();

        zorvex::ZlbArchive archive;
        archive.setCheckCrc(true);
        QVERIFY2(archive.openArchive(path), qPrintable(archive.errorString()));
        QHash<QString, QStringList> filesOfFolder;
        for (int i = 0; i < archive.entryCount(); ++i) {
            QVERIFY(archive.testEntry(i));
            const zorvex::ZlbEntry e = *archive.entry(i);
            QVERIFY2(e.folderPath.startsWith(QLatin1String("Gfx\\")) || e.folderPath.startsWith(QLatin1String("Godziny\\")),
                     qPrintable(e.folderPath));
            filesOfFolder[e.folderPath].append(e.fileName);
        }
        // Each set folder is whole: every picture or hour, and its version.
        for (auto it = filesOfFolder.cbegin(); it != filesOfFolder.cend(); ++it) {
            int count = 0;
            QString ext;
            if (it.key().startsWith(QLatin1String("Gfx\\Zodiak\\"))) {
                count = 12;
                ext = QStringLiteral(".png");
            } else if (it.key().startsWith(QLatin1String("Gfx\\Pogoda\\"))) {
                count = 11;
                ext = QStringLiteral(".png");
            } else if (it.key().startsWith(QLatin1String("Godziny\\"))) {
                count = 24;
                ext = QStringLiteral(".mp3");
            }
            QVERIFY2(count > 0, qPrintable(it.key()));
            for (int n = 1; n <= count; ++n)
                QVERIFY2(it.value().contains(QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) + ext), qPrintable(it.key()));
            QVERIFY(it.value().contains(QStringLiteral("Wersja.ini")));
            sets.insert(it.key());
        }
    }
    QVERIFY(sets.contains(QStringLiteral("Gfx\\Zodiak\\Pastelowy\\")));
    QVERIFY(sets.contains(QStringLiteral("Gfx\\Pogoda\\Słoneczko\\")));
    QVERIFY(sets.contains(QStringLiteral("Godziny\\Kukułka\\")));
}

void TestServiceSim::mapsAndPlaylistsAreServed()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    const QDate day(2026, 12, 9);
    for (const QString& line : lines(fetch("POST", sim.serviceBase() + QStringLiteral("/listamap.php")).body).mid(1)) {
        const QString url = mapUrl(line.section(QChar(0x2D9), 1), day);
        QVERIFY2(!url.contains(QLatin1Char('[')), qPrintable(url));
        const Fetched picture = fetch("GET", url);
        QVERIFY2(picture.status == 200, qPrintable(url));
        const QByteArray magic = url.endsWith(QLatin1String(".gif")) ? QByteArray("GIF89a")
            : url.endsWith(QLatin1String(".png"))                    ? QByteArray("\x89PNG")
                                                                     : QByteArray("\xFF\xD8\xFF");
        QVERIFY2(picture.body.startsWith(magic), qPrintable(url));
    }
    QVERIFY(sim.log().value(1).value(QStringLiteral("target")).endsWith(QLatin1String("temperatura_20261209.gif")));

    int served = 0;
    for (const QString& line : lines(fetch("POST", sim.serviceBase() + QStringLiteral("/stacje.php")).body)) {
        const QString url = line.section(QChar(0x2D9), 1);
        if (!url.startsWith(sim.baseUrl()))
            continue;
        const QStringList playlist = lines(fetch("GET", url).body);
        QVERIFY2(playlist.join(QLatin1Char('\n')).contains(QStringLiteral("http://")), qPrintable(url));
        ++served;
    }
    QVERIFY(served >= 2);
}

void TestServiceSim::markerFaults_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("markerKept");

    const QStringList noMarker = {QStringLiteral("--fault"), QStringLiteral("no-marker")};
    QTest::newRow("500 everywhere") << QStringList{QStringLiteral("--fault"), QStringLiteral("http500")} << "/listamiast.php" << 500
                                    << false;
    QTest::newRow("list without marker") << noMarker << "/listamiast.php" << 200 << false;
    QTest::newRow("stamps without marker") << noMarker << "update.php" << 200 << false;
    QTest::newRow("forecast without marker") << noMarker << "pogoda.php?mid=101&date=2026.12.09" << 200 << false;
    const QStringList mapsOnly = noMarker + QStringList{QStringLiteral("--fault-endpoint"), QStringLiteral("/listamap.php")};
    QTest::newRow("only the map list broken: maps") << mapsOnly << "/listamap.php" << 200 << false;
    QTest::newRow("only the map list broken: cities") << mapsOnly << "/listamiast.php" << 200 << true;
    QTest::newRow("endpoint named without slash") << QStringList{QStringLiteral("--fault"), QStringLiteral("http500"),
                                                                 QStringLiteral("--fault-endpoint"), QStringLiteral("listamiast.php")}
                                                  << "/listamiast.php" << 500 << false;
}

void TestServiceSim::markerFaults()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, endpoint);
    QFETCH(int, status);
    QFETCH(bool, markerKept);

    ServiceSimProcess sim;
    QVERIFY2(sim.start(arguments), qPrintable(sim.error()));
    const Fetched f = fetch("POST", sim.serviceBase() + endpoint);
    QCOMPARE(f.status, status);
    if (status != 200)
        return;
    const QStringList got = lines(f.body);
    const QSet<QString> markers = {QStringLiteral("UPDATE"), QStringLiteral("MAPY"), QStringLiteral("MIASTA"),
                                   QStringLiteral("POGODA")};
    bool hasMarker = false;
    for (const QString& line : got)
        hasMarker = hasMarker || markers.contains(firstField(line));
    QCOMPARE(hasMarker, markerKept);
    QCOMPARE(sim.log().value(0).value(QStringLiteral("fault")), markerKept ? QString() : QStringLiteral("no-marker"));
}

void TestServiceSim::stall()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--fault"), QStringLiteral("stall"), QStringLiteral("--fault-endpoint"),
                        QStringLiteral("update.php")}),
             qPrintable(sim.error()));
    const Fetched f = fetch("POST", sim.serviceBase() + QStringLiteral("update.php"), 1000);
    // The client's transfer time-out ended it.
    QVERIFY2(f.error == QNetworkReply::OperationCanceledError || f.error == QNetworkReply::TimeoutError,
             qPrintable(QString::number(f.error)));
    QVERIFY(f.body.isEmpty());
    // The request was taken in and logged, only never answered; the rest
    // of the service goes on.
    QCOMPARE(sim.log().value(0).value(QStringLiteral("fault")), QStringLiteral("stall"));
    QCOMPARE(fetch("POST", sim.serviceBase() + QStringLiteral("/stacje.php")).status, 200);
}

void TestServiceSim::drip()
{
    ServiceSimProcess plain;
    QVERIFY2(plain.start(), qPrintable(plain.error()));
    const QByteArray whole = fetch("POST", plain.serviceBase() + QStringLiteral("update.php")).body;

    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--fault"), QStringLiteral("drip"), QStringLiteral("--drip-ms"), QStringLiteral("3")}),
             qPrintable(sim.error()));
    const Fetched f = fetch("POST", sim.serviceBase() + QStringLiteral("update.php"));
    QCOMPARE(f.status, 200);
    QCOMPARE(f.body, whole);
    QVERIFY2(f.chunks > 10, qPrintable(QString::number(f.chunks)));
}

void TestServiceSim::redirectWithCookie()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--fault"), QStringLiteral("redirect-cookie")}), qPrintable(sim.error()));
    const Fetched f = fetch("POST", sim.serviceBase() + QStringLiteral("/listamiast.php"));
    QCOMPARE(f.status, 200);
    QCOMPARE(lines(f.body).value(0), QStringLiteral("MIASTA"));
    // Qt may follow the redirect once more before its cookie jar has the
    // cookie; every round without it is sent back, the first with it gets
    // the answer, as the same POST.
    const auto log = sim.log();
    QVERIFY(log.size() >= 2);
    for (qsizetype i = 0; i + 1 < log.size(); ++i) {
        QCOMPARE(log[i].value(QStringLiteral("status")), QStringLiteral("307"));
        QVERIFY(log[i].value(QStringLiteral("cookie")).isEmpty());
    }
    QCOMPARE(log.last().value(QStringLiteral("method")), QStringLiteral("POST"));
    QCOMPARE(log.last().value(QStringLiteral("target")), log[0].value(QStringLiteral("target")));
    QVERIFY(log.last().value(QStringLiteral("cookie")).startsWith(QLatin1String("ZVXSESJA=")));
    QCOMPARE(log.last().value(QStringLiteral("status")), QStringLiteral("200"));

    // A client that drops cookies is sent round until it gives up.
    const Fetched lost = fetch("POST", sim.serviceBase() + QStringLiteral("/listamiast.php"), 10000, Cookies::Refused);
    QCOMPARE(lost.error, QNetworkReply::TooManyRedirectsError);
}

void TestServiceSim::oversized()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start({QStringLiteral("--fault"), QStringLiteral("oversized"), QStringLiteral("--oversize-bytes"),
                        QStringLiteral("3000000")}),
             qPrintable(sim.error()));
    const Fetched f = fetch("POST", sim.serviceBase() + QStringLiteral("/listamiast.php"));
    QCOMPARE(f.status, 200);
    QCOMPARE(f.contentLength, QByteArray("3000000"));
    QCOMPARE(f.body.size(), 3000000);
    QVERIFY(f.body.startsWith("MIASTA<br>\n"));
    // It goes on with list lines, so only a size limit stops a client.
    QVERIFY(f.body.mid(2900000, 20000).contains("|101<br>"));

}

void TestServiceSim::faultSwitchedWhileRunning()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    QCOMPARE(fetch("GET", sim.baseUrl() + QStringLiteral("_sim/fault?kind=http500&endpoint=/stacje.php")).status, 200);
    QCOMPARE(fetch("POST", sim.serviceBase() + QStringLiteral("/stacje.php")).status, 500);
    QCOMPARE(fetch("POST", sim.serviceBase() + QStringLiteral("/rozne.php")).status, 200);
    QCOMPARE(fetch("GET", sim.baseUrl() + QStringLiteral("_sim/fault?kind=none")).status, 200);
    QCOMPARE(fetch("POST", sim.serviceBase() + QStringLiteral("/stacje.php")).status, 200);
    QCOMPARE(fetch("GET", sim.baseUrl() + QStringLiteral("_sim/fault?kind=wybuch")).status, 400);
}

void TestServiceSim::requestLog()
{
    ServiceSimProcess sim;
    QVERIFY2(sim.start(), qPrintable(sim.error()));
    fetch("POST", sim.serviceBase() + QStringLiteral("horoskop.php?user_id=0A1B&znak=z5"));
    fetch("GET", sim.serviceBase() + QStringLiteral("/updatezvx.php"));
    const auto log = sim.log();
    QCOMPARE(log.size(), 2);
    const QHash<QString, QString> post = {
        {QStringLiteral("method"), QStringLiteral("POST")},
        {QStringLiteral("target"), QStringLiteral("/serwis.php?l=horoskop.php?user_id=0A1B&znak=z5")},
        {QStringLiteral("endpoint"), QStringLiteral("horoskop.php")},
        {QStringLiteral("query"), QStringLiteral("user_id=0A1B&znak=z5")},
        {QStringLiteral("status"), QStringLiteral("405")}, // pages are for a browser
        {QStringLiteral("fault"), QString()},
        {QStringLiteral("user-agent"), QStringLiteral("ZVX/37.04")},
        {QStringLiteral("content-type"), QStringLiteral("text/html")},
        {QStringLiteral("accept"), QStringLiteral("text/html, */*")},
        {QStringLiteral("cookie"), QString()},
        {QStringLiteral("body"), QStringLiteral("0")},
    };
    QCOMPARE(log[0], post);
    QCOMPARE(log[1].value(QStringLiteral("method")), QStringLiteral("GET"));
    QCOMPARE(log[1].value(QStringLiteral("endpoint")), QStringLiteral("/updatezvx.php"));
    QCOMPARE(log[1].value(QStringLiteral("status")), QStringLiteral("200"));
}

void TestServiceSim::badCommandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");

    QTest::newRow("unknown fault") << QStringList{QStringLiteral("--fault"), QStringLiteral("wybuch")} << "nieznana usterka";
    QTest::newRow("port not a number") << QStringList{QStringLiteral("--port"), QStringLiteral("80a")} << "niepoprawny port";
    QTest::newRow("log not writable") << QStringList{QStringLiteral("--log"), QStringLiteral("/nie/ma/takiego/folderu/log")}
                                      << "dziennika";
    QTest::newRow("endpoint without a fault") << QStringList{QStringLiteral("--fault-endpoint"), QStringLiteral("update.php")}
                                              << "bez --fault";
}

void TestServiceSim::badCommandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    QProcess process;
    process.start(QStringLiteral(ZORVEX_SERVICE_SIM), arguments);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 2);
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(message));
}

void TestServiceSim::sampleTextsFitTheirCodePages()
{
    // A character beyond the served code page would reach clients as "?".
    QDirIterator it(QStringLiteral(ZORVEX_SERVICE_SIM_DATA), QDir::Files, QDirIterator::Subdirectories);
    int checked = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        const QString suffix = QFileInfo(path).suffix();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        if (suffix == QLatin1String("utf8")) {
            QVERIFY2(zorvex::fitsCp1250(text), qPrintable(path)); // program files land as Windows-1250
        } else if (QStringList{QStringLiteral("txt"), QStringLiteral("html"), QStringLiteral("pls"), QStringLiteral("m3u")}
                       .contains(suffix)) {
            int lost = 0;
            zorvex::sim::toIso88592(text, &lost);
            QVERIFY2(lost == 0, qPrintable(path));
        } else {
            continue;
        }
        ++checked;
    }
    QVERIFY(checked > 0);
}

void TestServiceSim::isoCodePage()
{
    // The Polish letters, where a wrong table would hurt most.
    const QString letters = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ°˙");
    const QByteArray bytes("\xB1\xE6\xEA\xB3\xF1\xF3\xB6\xBC\xBF\xA1\xC6\xCA\xA3\xD1\xD3\xA6\xAC\xAF\xB0\xFF");
    int lost = -1;
    QCOMPARE(zorvex::sim::toIso88592(letters, &lost), bytes);
    QCOMPARE(lost, 0);
    QCOMPARE(fromIso88592(bytes), letters);

    // Every byte survives the round trip; what the code page lacks is "?".
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(zorvex::sim::toIso88592(fromIso88592(all)), all);
    QCOMPARE(zorvex::sim::toIso88592(QStringLiteral("a…b€"), &lost), QByteArray("a?b?"));
    QCOMPARE(lost, 2);
}

QTEST_GUILESS_MAIN(TestServiceSim)
#include "tst_servicesim.moc"

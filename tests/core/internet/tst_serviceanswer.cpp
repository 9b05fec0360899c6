#include "core/common/Cp1250.h"
#include "core/internet/ProxySetting.h"
#include "core/internet/ServiceAnswer.h"
#include "core/internet/ServiceClient.h"
#include "core/internet/ServiceSettings.h"

#include <QTest>

using namespace zorvex;
using namespace Qt::Literals::StringLiterals;

class TestServiceAnswer : public QObject {
    Q_OBJECT
private slots:
    void encodingMap_data();
    void encodingMap();
    void cleaning_data();
    void cleaning();
    void listAnswers_data();
    void listAnswers();
    void plainUrlParts_data();
    void plainUrlParts();
    void addresses();
    void machineToken();
    void passwordScrambling_data();
    void passwordScrambling();
    void proxyUse_data();
    void proxyUse();
    void proxyPort_data();
    void proxyPort();
    void proxyServerSplit_data();
    void proxyServerSplit();
};

void TestServiceAnswer::encodingMap_data()
{
    QTest::addColumn<QByteArray>("iso");
    QTest::addColumn<QString>("text");
    QTest::newRow("Ą") << QByteArray("\xA1") << QStringLiteral("Ą");
    QTest::newRow("Ś") << QByteArray("\xA6") << QStringLiteral("Ś");
    QTest::newRow("Ź") << QByteArray("\xAC") << QStringLiteral("Ź");
    QTest::newRow("ą") << QByteArray("\xB1") << QStringLiteral("ą");
    QTest::newRow("ś") << QByteArray("\xB6") << QStringLiteral("ś");
    QTest::newRow("ź") << QByteArray("\xBC") << QStringLiteral("ź");
    // Letters at the same place in both code pages stay.
    QTest::newRow("ćęłńóżĆĘŁŃÓŻ") << QByteArray("\xE6\xEA\xB3\xF1\xF3\xBF\xC6\xCA\xA3\xD1\xD3\xAF")
                                  << QStringLiteral("ćęłńóżĆĘŁŃÓŻ");
    // The list separator, 0xFF in both.
    QTest::newRow("separator") << QByteArray("a\xFF" "b") << QStringLiteral("a") + kListSeparator + QStringLiteral("b");
    QTest::newRow("ascii") << QByteArray("Wroc\xB3" "aw|101") << QStringLiteral("Wrocław|101");
}

void TestServiceAnswer::encodingMap()
{
    QFETCH(QByteArray, iso);
    QFETCH(QString, text);
    QCOMPARE(cleanAnswer(iso), QStringList{text});
}

void TestServiceAnswer::cleaning_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("br at line ends") << QByteArray("MIASTA<br>\nA|1<br>\n") << QStringList{u"MIASTA"_s, u"A|1"_s};
    QTest::newRow("br in any case, no line ends") << QByteArray("A<BR>B<Br>") << QStringList{u"AB"_s};
    QTest::newRow("CR LF and lone CR") << QByteArray("a\r\nb\rc\n") << QStringList{u"a"_s, u"b"_s, u"c"_s};
    QTest::newRow("empty lines kept") << QByteArray("a\n\nb") << QStringList{u"a"_s, u""_s, u"b"_s};
    QTest::newRow("half a tag stays") << QByteArray("<b>x<br") << QStringList{u"<b>x<br"_s};
    QTest::newRow("empty") << QByteArray() << QStringList{};
}

void TestServiceAnswer::cleaning()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, lines);
    QCOMPARE(cleanAnswer(body), lines);
}

void TestServiceAnswer::listAnswers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<bool>("counts");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("marker first") << QStringList{u"SERWERY"_s, u"a.pl"_s, u""_s, u"b.pl"_s} << "SERWERY" << true
                                  << QStringList{u"a.pl"_s, u"b.pl"_s};
    QTest::newRow("marker in any case, with fields") << QStringList{u"x"_s, u"Mapy|7"_s, u"y"_s} << "MAPY" << true
                                                     << QStringList{u"x"_s, u"y"_s};
    QTest::newRow("no marker") << QStringList{u"a.pl"_s, u"b.pl"_s} << "SERWERY" << false << QStringList{};
    QTest::newRow("marker only") << QStringList{u"STACJE"_s, u""_s} << "STACJE" << false << QStringList{};
    QTest::newRow("marker as a later field does not count") << QStringList{u"x|MIASTA"_s, u"y"_s} << "MIASTA" << false
                                                            << QStringList{};
}

void TestServiceAnswer::listAnswers()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, marker);
    QFETCH(bool, counts);
    QFETCH(QStringList, list);
    const auto got = listAnswer(lines, marker);
    QCOMPARE(got.has_value(), counts);
    if (counts)
        QCOMPARE(*got, list);
}

void TestServiceAnswer::plainUrlParts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("plain");
    QTest::newRow("id") << "101" << true;
    QTest::newRow("script") << "horoskop.php" << true;
    QTest::newRow("dashes") << "kursy-walut_2.php" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("query key") << "101&mid=5" << false;
    QTest::newRow("climbs") << "../admin.php" << false;
    QTest::newRow("dots alone") << ".." << false;
    QTest::newRow("path") << "a/b.php" << false;
    QTest::newRow("blank") << "a b" << false;
    QTest::newRow("polish letter") << "świeta.php" << false;
    QTest::newRow("hash") << "a.php#x" << false;
}

void TestServiceAnswer::plainUrlParts()
{
    QFETCH(QString, text);
    QFETCH(bool, plain);
    QCOMPARE(isPlainUrlPart(text), plain);
}

void TestServiceAnswer::addresses()
{
    ServiceSettings s;
    resetToDefaults(s);
    s.serviceBase = QStringLiteral("http://127.0.0.1:9/serwis.php?l=");
    s.shoutboxBase = QStringLiteral("http://127.0.0.1:9/shoutbox.php?w=");
    s.addonsBase = QStringLiteral("http://127.0.0.1:9/dodatki.php?id=");
    const ServiceClient c(s, QStringLiteral("ABCD"));
    QCOMPARE(c.endpointUrl(QStringLiteral("/stacje.php")), QStringLiteral("http://127.0.0.1:9/serwis.php?l=/stacje.php"));
    QCOMPARE(c.weatherUrl(QStringLiteral("101"), QDate(2026, 3, 7)),
             QStringLiteral("http://127.0.0.1:9/serwis.php?l=pogoda.php?mid=101&date=2026.03.07"));
    QVERIFY(c.weatherUrl(QStringLiteral("101&x=1"), QDate(2026, 3, 7)).isEmpty());
    QCOMPARE(c.pageUrl(QStringLiteral("horoskop.php"), 3),
             QStringLiteral("http://127.0.0.1:9/serwis.php?l=horoskop.php?user_id=ABCD&znak=z3"));
    QCOMPARE(c.pageUrl(QStringLiteral("otv.php")), QStringLiteral("http://127.0.0.1:9/serwis.php?l=otv.php?user_id=ABCD"));
    QVERIFY(c.pageUrl(QStringLiteral("../x.php")).isEmpty());
    QCOMPARE(c.shoutboxUrl(), QStringLiteral("http://127.0.0.1:9/shoutbox.php?w=37.04&user_id=ABCD"));
    QCOMPARE(c.addonsPageUrl(8), QStringLiteral("http://127.0.0.1:9/dodatki.php?id=8&w=37.04"));
}

void TestServiceAnswer::machineToken()
{
    const QString a = zorvex::machineToken("0123456789abcdef0123456789abcdef\n");
    QCOMPARE(a, zorvex::machineToken("0123456789abcdef0123456789abcdef"));
    QVERIFY(a != zorvex::machineToken("fedcba9876543210fedcba9876543210"));
    QCOMPARE(a.size(), 32);
    for (QChar c : a)
        QVERIFY2(c.isDigit() || (c >= QLatin1Char('A') && c <= QLatin1Char('F')), qPrintable(a));
    // The id itself never shows in the token.
    QVERIFY(!a.contains(QLatin1String("0123456789"), Qt::CaseInsensitive));
    QVERIFY(!zorvex::machineToken(QByteArray()).isEmpty());
}

void TestServiceAnswer::passwordScrambling_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("ascii") << "tajne123";
    QTest::newRow("polish") << "zażółć:gęślą@jaźń";
    QTest::newRow("one char") << "x";
    QTest::newRow("tilde first") << "~41";
}

void TestServiceAnswer::passwordScrambling()
{
    QFETCH(QString, plain);
    const QString stored = scramblePassword(plain);
    QVERIFY(stored != plain);
    QVERIFY(!stored.contains(plain));
    for (QChar c : stored)
        QVERIFY(c.unicode() < 0x80);
    QCOMPARE(unscramblePassword(stored), plain);
    ProxySetting s;
    s.setPassword(plain);
    QCOMPARE(s.storedPassword, stored);
    QCOMPARE(s.password(), plain);
}

void TestServiceAnswer::proxyUse_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("auth");
    QTest::addColumn<QString>("port");
    QTest::addColumn<ProxyUse>("use");
    QTest::newRow("off") << false << true << "8080" << ProxyUse{};
    QTest::newRow("on, no authorization") << true << false << "8080"
                                          << ProxyUse{true, QStringLiteral("proxy.lan"), 8080, {}, {}};
    QTest::newRow("on with authorization") << true << true << " 3128 "
                                           << ProxyUse{true, QStringLiteral("proxy.lan"), 3128, QStringLiteral("jan"),
                                                       QStringLiteral("tajne")};
    QTest::newRow("port not a number") << true << false << "80a" << ProxyUse{true, QStringLiteral("proxy.lan"), 0, {}, {}};
    QTest::newRow("port out of range") << true << false << "70000"
                                       << ProxyUse{true, QStringLiteral("proxy.lan"), 0, {}, {}};
}

void TestServiceAnswer::proxyUse()
{
    QFETCH(bool, on);
    QFETCH(bool, auth);
    QFETCH(QString, port);
    QFETCH(ProxyUse, use);
    ProxySetting s;
    s.enabled = on;
    s.authorization = auth;
    s.ip = QStringLiteral("proxy.lan");
    s.port = port;
    s.login = QStringLiteral("jan");
    s.setPassword(QStringLiteral("tajne"));
    QCOMPARE(zorvex::proxyUse(s), use);
}

void TestServiceAnswer::proxyPort_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("number") << "8080" << true;
    QTest::newRow("blanks around") << " 3128 " << true;
    QTest::newRow("lowest") << "1" << true;
    QTest::newRow("highest") << "65535" << true;
    QTest::newRow("zero") << "0" << false;
    QTest::newRow("too big") << "65536" << false;
    QTest::newRow("letters") << "80a" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("sign") << "+80" << false;
    QTest::newRow("arabic digits") << QString::fromUtf8("\u0668\u0660") << false;
}

void TestServiceAnswer::proxyPort()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidProxyPort(text), valid);
}

void TestServiceAnswer::proxyServerSplit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port");
    QTest::newRow("host:port") << "host:8080" << "host" << "8080";
    QTest::newRow("no colon") << "host" << "host" << "";
    QTest::newRow("colon first") << ":8080" << ":8080" << "";
    QTest::newRow("first colon splits") << "a:b:c" << "a" << "b:c";
}

void TestServiceAnswer::proxyServerSplit()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(QString, port);
    QCOMPARE(splitProxyServer(text), (HostAndPort{host, port}));
}

QTEST_GUILESS_MAIN(TestServiceAnswer)
#include "tst_serviceanswer.moc"
